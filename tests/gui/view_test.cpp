// The view settings: zoom with its indicator and limits, transparency, the
// background picture, and the redraws on the window's own events.

#include <QApplication>
#include <QFocusEvent>
#include <QImage>
#include <QLabel>

#include "gui/render/spr_bg.h"
#include "window_fixture.h"

namespace tessaloom {
namespace {

class ViewTest : public WindowTest {
 protected:
  // One frame of `frame`'s pixels with the test palette.
  void OpenFrame(SprFrame frame) {
    SprDocument document = TestSprite(0);
    document.Frames.push_back(std::move(frame));
    document.Header.FrameCount = 1;
    OpenByDialog(WriteSprite("frame.spr", document));
  }

  QString ZoomLabel(const char* name) const { return m_window->findChild<QLabel*>(name)->text(); }

  QString WritePicture(const QString& name, QColor colour, QSize size) {
    QImage picture(size, QImage::Format_RGB32);
    picture.fill(colour);
    EXPECT_TRUE(picture.save(PathOf(name), "BMP"));
    return PathOf(name);
  }
};

TEST_F(ViewTest, ZoomStepsThroughItsTextsBetweenOneAndNineTimes) {
  OpenFrame(SolidFrame(10, 10, 1));
  EXPECT_EQ(ZoomLabel("ZoomIndicator"), "x1");
  Action("ZoomOutButton")->trigger();
  EXPECT_EQ(ZoomLabel("ZoomIndicator"), "1x");
  EXPECT_FALSE(Action("ZoomOut")->isEnabled());
  EXPECT_TRUE(Action("ZoomOutButton")->isEnabled());
  EXPECT_EQ(m_session->ZoomStep(), 3);

  for (int step = 4; step <= 11; ++step) {
    Action(step % 2 ? "ZoomIn" : "ZoomInButton")->trigger();
    const QString text = QStringLiteral("%1x").arg(step - 2);
    EXPECT_EQ(ZoomLabel("ZoomIndicator"), text);
    EXPECT_EQ(ZoomLabel("ZoomIndicatorShd"), text);
    EXPECT_TRUE(Action("ZoomOut")->isEnabled());
    EXPECT_TRUE(Action("ZoomIn")->isEnabled());
  }
  EXPECT_EQ(DrawnArea().Width, 37);  // 10 pixels at eleven thirds
  // One step more is refused and only disables In.
  Action("ZoomIn")->trigger();
  EXPECT_EQ(ZoomLabel("ZoomIndicator"), "9x");
  EXPECT_FALSE(Action("ZoomIn")->isEnabled());
  EXPECT_EQ(m_session->ZoomStep(), 11);

  Action("ZoomOut")->trigger();
  EXPECT_EQ(ZoomLabel("ZoomIndicator"), "8x");
  EXPECT_TRUE(Action("ZoomIn")->isEnabled());
  EXPECT_EQ(DrawnArea().Width, 33);
}

TEST_F(ViewTest, TransparencyShowsOrHidesPaletteColourZeroAtOnce) {
  OpenFrame(FrameFromRows({{1, 0}, {0, 1}}));
  const PixelRect place = DrawnArea();
  const Argb key = ToArgb(TestPaletteColor(0));
  EXPECT_EQ(CanvasPixel(place.X, place.Y), ToArgb(TestPaletteColor(1)));
  EXPECT_EQ(CanvasPixel(place.X + 1, place.Y), ToArgb(kCanvasColor));

  Action("UseTransparency")->trigger();
  EXPECT_FALSE(Action("UseTransparency")->isChecked());
  EXPECT_FALSE(m_session->TransparencyOn());
  EXPECT_EQ(CanvasPixel(place.X + 1, place.Y), key);
  EXPECT_EQ(CanvasPixel(place.X, place.Y + 1), key);
  EXPECT_EQ(m_window->Canvas().View().pixel(place.X + 1, place.Y), key);

  Action("UseTransparency")->trigger();
  EXPECT_TRUE(Action("UseTransparency")->isChecked());
  EXPECT_EQ(CanvasPixel(place.X + 1, place.Y), ToArgb(kCanvasColor));
}

TEST_F(ViewTest, BackgroundPictureShowsAtOnceAndABadOneLeavesIt) {
  m_dialog.AnswerFile(WritePicture("back.bmp", QColor(10, 200, 30), QSize(8, 6)));
  Action("SetBG")->trigger();
  EXPECT_EQ(m_dialog.Requests().back(),
            (DialogRequest{DialogRequest::Kind::Open, "Set background ....", "Bmp File |*.bmp", ""}));
  const Argb green = 0xFF0AC81Eu;
  EXPECT_EQ(CanvasPixel(0, 0), green);
  EXPECT_EQ(CanvasPixel(7, 5), green);
  EXPECT_EQ(CanvasPixel(8, 5), ToArgb(kCanvasColor));
  EXPECT_EQ(CanvasPixel(7, 6), ToArgb(kCanvasColor));

  // It stays under every later draw; a cancelled dialog or a file that is no picture keeps it.
  OpenFrame(SolidFrame(4, 4, 1));
  m_dialog.AnswerCancel();
  Action("SetBG")->trigger();
  const std::uint8_t text[] = {'n', 'o', 't', ' ', 'a', ' ', 'b', 'm', 'p'};
  const QString bad = WriteBytes("bad.bmp", text);
  m_dialog.AnswerFile(bad);
  Action("SetBG")->trigger();
  EXPECT_TRUE(LastMessage(1, "Background error", bad));
  Action("ZoomIn")->trigger();
  EXPECT_EQ(CanvasPixel(0, 0), green);
  EXPECT_EQ(CanvasCount(TestPaletteColor(1)), 25);
}

TEST_F(ViewTest, ResizeAndFocusRedrawTheCurrentFrameOnlyWhenThereIsOne) {
  QFocusEvent focus(QEvent::FocusIn);
  std::vector<Argb>& pixels = m_window->Canvas().Canvas().Pixels;
  std::fill(pixels.begin(), pixels.end(), 0xFF000000u);
  QApplication::sendEvent(m_window.get(), &focus);
  EXPECT_EQ(CanvasPixel(0, 0), 0xFF000000u);

  OpenFrame(SolidFrame(6, 4, 2));
  m_window->resize(m_window->size() + QSize(60, 40));
  QApplication::processEvents();
  // Centred on the new client area, twenty pixels above its middle.
  const QSize client = m_window->ClientSize();
  const PixelRect centred{client.width() / 2 - 3, client.height() / 2 - 22, 6, 4};
  EXPECT_EQ(DrawnArea(), centred);

  std::fill(pixels.begin(), pixels.end(), 0xFF000000u);
  QApplication::sendEvent(m_window.get(), &focus);
  EXPECT_EQ(DrawnArea(), centred);
}

}  // namespace
}  // namespace tessaloom
