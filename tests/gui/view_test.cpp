// The view settings: zoom with its indicator and limits, transparency, the
// background picture, and the redraws on the window's own events.

#include <QApplication>
#include <QFocusEvent>
#include <QImage>
#include <QLabel>
#include <cmath>

#include "render/spr_bg.h"
#include "render/view_settings.h"
#include "support/frame_builder.h"
#include "window_fixture.h"

namespace tessaloom {
namespace {

class ViewTest : public WindowTest {
 protected:
  // One frame of `frame`'s pixels with the test palette.
  void OpenFrame(SprFrame frame) {
    SprDocument document;
    document.Header.Palette = TestPalette();
    document.Frames.push_back(std::move(frame));
    document.Header.FrameCount = 1;
    OpenByDialog(WriteSprite("frame.spr", document));
  }

  // Where a W x H frame lands at zoom step `step`: centred on the client area, 20
  // pixels above its middle.
  PixelRect ExpectedPlace(int width, int height, int step) const {
    const QSize client = m_window->ClientSize();
    const double scale = step / 3.0;
    return PixelRect{static_cast<int>(std::floor(client.width() / 2.0 - scale * width / 2.0)),
                     static_cast<int>(std::floor(client.height() / 2.0 - scale * height / 2.0 - 20)),
                     static_cast<int>(std::lround(scale * width)), static_cast<int>(std::lround(scale * height))};
  }

  PixelRect DrawnArea() const { return BoundsOfPixelsOtherThan(CanvasImage(), ToArgb(kCanvasColor)); }

  QString ZoomLabel(const char* name) const { return m_window->findChild<QLabel*>(name)->text(); }
};

TEST_F(ViewTest, ZoomInStepsThroughTheTextsAndStopsAtNineTimes) {
  OpenFrame(SolidFrame(10, 10, 1));
  for (int step = 4; step <= 11; ++step) {
    Action("ZoomIn")->trigger();
    const QString text = QStringLiteral("%1x").arg(step - 2);
    EXPECT_EQ(ZoomLabel("ZoomIndicator"), text);
    EXPECT_EQ(ZoomLabel("ZoomIndicatorShd"), text);
    EXPECT_TRUE(Action("ZoomIn")->isEnabled());
    EXPECT_TRUE(Action("ZoomOut")->isEnabled());
  }
  EXPECT_EQ(DrawnArea(), ExpectedPlace(10, 10, 11));
  EXPECT_EQ(DrawnArea().Width, 37);

  Action("ZoomIn")->trigger();
  EXPECT_EQ(ZoomLabel("ZoomIndicator"), "9x");
  EXPECT_FALSE(Action("ZoomIn")->isEnabled());
  EXPECT_TRUE(Action("ZoomOut")->isEnabled());
  EXPECT_EQ(m_session->ZoomStep(), 11);

  Action("ZoomOut")->trigger();
  EXPECT_EQ(ZoomLabel("ZoomIndicator"), "8x");
  EXPECT_TRUE(Action("ZoomIn")->isEnabled());
  EXPECT_TRUE(Action("ZoomOut")->isEnabled());
  EXPECT_EQ(DrawnArea(), ExpectedPlace(10, 10, 10));
}

TEST_F(ViewTest, ZoomOutAtOneTimesDisablesOutAndTheButtonsStayUsable) {
  OpenFrame(SolidFrame(3, 3, 1));
  EXPECT_EQ(ZoomLabel("ZoomIndicator"), "x1");
  EXPECT_EQ(DrawnArea(), ExpectedPlace(3, 3, 3));

  Action("ZoomOutButton")->trigger();
  EXPECT_EQ(ZoomLabel("ZoomIndicator"), "1x");
  EXPECT_EQ(ZoomLabel("ZoomIndicatorShd"), "1x");
  EXPECT_FALSE(Action("ZoomOut")->isEnabled());
  EXPECT_TRUE(Action("ZoomOutButton")->isEnabled());
  EXPECT_EQ(m_session->ZoomStep(), 3);

  Action("ZoomInButton")->trigger();
  EXPECT_EQ(ZoomLabel("ZoomIndicator"), "2x");
  EXPECT_EQ(DrawnArea(), ExpectedPlace(3, 3, 4));
  EXPECT_EQ(DrawnArea().Width, 4);
  EXPECT_TRUE(Action("ZoomOut")->isEnabled());
}

TEST_F(ViewTest, TransparencyShowsOrHidesPaletteColourZeroAtOnce) {
  OpenFrame(FrameFromRows({{1, 0}, {0, 1}}));
  const PixelRect place = ExpectedPlace(2, 2, 3);
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
  EXPECT_EQ(CanvasPixel(place.X + 1, place.Y + 1), ToArgb(TestPaletteColor(1)));
}

TEST_F(ViewTest, BackgroundPictureShowsAtOnceUnderTheFrame) {
  QImage picture(8, 6, QImage::Format_RGB32);
  picture.fill(QColor(10, 200, 30));
  const QString path = PathOf("back.bmp");
  ASSERT_TRUE(picture.save(path, "BMP"));

  m_dialog.AnswerFile(path);
  Action("SetBG")->trigger();
  EXPECT_EQ(m_dialog.Requests().back(),
            (DialogRequest{DialogRequest::Kind::Open, "Set background ....", "Bmp File |*.bmp", ""}));
  const Argb green = 0xFF0AC81Eu;
  EXPECT_EQ(CanvasPixel(0, 0), green);
  EXPECT_EQ(CanvasPixel(7, 5), green);
  EXPECT_EQ(CanvasPixel(8, 5), ToArgb(kCanvasColor));
  EXPECT_EQ(CanvasPixel(7, 6), ToArgb(kCanvasColor));

  // It stays under every later draw, and a cancelled dialog keeps it.
  OpenFrame(SolidFrame(4, 4, 1));
  m_dialog.AnswerCancel();
  Action("SetBG")->trigger();
  Action("ZoomIn")->trigger();
  EXPECT_EQ(CanvasPixel(0, 0), green);
  const PixelRect place = ExpectedPlace(4, 4, 4);
  EXPECT_EQ(CanvasPixel(place.X, place.Y), ToArgb(TestPaletteColor(1)));
  EXPECT_TRUE(m_messages.Shown().empty());
}

TEST_F(ViewTest, ABackgroundThatIsNotAPictureIsReportedAndTheOldOneStays) {
  QImage picture(2, 2, QImage::Format_RGB32);
  picture.fill(Qt::black);
  const QString good = PathOf("good.bmp");
  ASSERT_TRUE(picture.save(good, "BMP"));
  m_dialog.AnswerFile(good);
  Action("SetBG")->trigger();

  const std::uint8_t text[] = {'n', 'o', 't', ' ', 'a', ' ', 'b', 'm', 'p'};
  const QString bad = WriteBytes("bad.bmp", text);
  m_dialog.AnswerFile(bad);
  Action("SetBG")->trigger();

  ASSERT_EQ(m_messages.Shown().size(), 1u);
  EXPECT_EQ(m_messages.Shown()[0].Title, "Background error");
  EXPECT_TRUE(m_messages.Shown()[0].Text.contains(bad));
  EXPECT_EQ(CanvasPixel(1, 1), 0xFF000000u);
  EXPECT_EQ(CanvasPixel(2, 2), ToArgb(kCanvasColor));
}

TEST_F(ViewTest, ResizeAndFocusRedrawTheCurrentFrameOnlyWhenThereIsOne) {
  QFocusEvent focus(QEvent::FocusIn);
  std::fill(m_window->Canvas().Canvas().Pixels.begin(), m_window->Canvas().Canvas().Pixels.end(), 0xFF000000u);
  QApplication::sendEvent(m_window.get(), &focus);
  EXPECT_EQ(CanvasPixel(0, 0), 0xFF000000u);

  OpenFrame(SolidFrame(5, 4, 2));
  m_window->resize(m_window->size() + QSize(60, 40));
  QApplication::processEvents();
  EXPECT_EQ(DrawnArea(), ExpectedPlace(5, 4, 3));

  std::fill(m_window->Canvas().Canvas().Pixels.begin(), m_window->Canvas().Canvas().Pixels.end(), 0xFF000000u);
  QApplication::sendEvent(m_window.get(), &focus);
  EXPECT_EQ(DrawnArea(), ExpectedPlace(5, 4, 3));
}

}  // namespace
}  // namespace tessaloom
