// The view: zoom with its indicator and limits, transparency, the background
// picture, and the frame on the canvas, redrawn on the window's own events.

#include <QApplication>
#include <QFocusEvent>
#include <QImage>

#include "window_fixture.h"

namespace tessaloom {
namespace {

class ViewTest : public WindowTest {
 protected:
  void OpenFrame(SprFrame frame) {
    SprDocument sprite = TestSprite(0);
    sprite.Frames = {std::move(frame)};
    sprite.Header.FrameCount = 1;
    OpenByDialog(WriteSprite("frame.spr", sprite));
  }
};

TEST_F(ViewTest, ZoomStepsThroughItsTextsAndDisablesAnItemOnlyPastALimit) {
  OpenFrame(SolidFrame(10, 10, 1));
  const struct {
    const char* item;
    const char* text;
    QStringList enabled;
    int drawnWidth;  // -1: not checked
  } steps[] = {{"ZoomOutButton", "1x", {"ZoomIn"}, 10},  {"ZoomIn", "2x", {"ZoomOut", "ZoomIn"}, -1},
               {"ZoomInButton", "3x", {"ZoomOut", "ZoomIn"}, 17}, {"ZoomIn", "4x", {"ZoomOut", "ZoomIn"}, -1},
               {"ZoomIn", "5x", {"ZoomOut", "ZoomIn"}, -1}, {"ZoomIn", "6x", {"ZoomOut", "ZoomIn"}, -1},
               {"ZoomIn", "7x", {"ZoomOut", "ZoomIn"}, 30}, {"ZoomIn", "8x", {"ZoomOut", "ZoomIn"}, 33},
               {"ZoomIn", "9x", {"ZoomOut", "ZoomIn"}, 37}, {"ZoomIn", "9x", {"ZoomOut"}, 37},
               {"ZoomOut", "8x", {"ZoomOut", "ZoomIn"}, 33}};
  for (const auto& step : steps) {
    SCOPED_TRACE(step.text);
    Trigger(step.item);
    const auto* label = m_window->findChild<QLabel*>("ZoomIndicator");
    const auto* shadow = m_window->findChild<QLabel*>("ZoomIndicatorShd");
    EXPECT_EQ(label->text() + shadow->text(), QString(step.text) + step.text);
    // At the lower right of the canvas, the shadow one pixel below and right.
    const QSize canvas = m_window->Canvas().size();
    EXPECT_EQ(label->geometry().bottomRight(), QPoint(canvas.width() - 5, canvas.height() - 31));
    EXPECT_EQ(shadow->pos(), label->pos() + QPoint(1, 1));
    EXPECT_EQ(label->size(), label->sizeHint());
    EXPECT_EQ(Enabled({"ZoomOut", "ZoomIn"}), step.enabled);
    if (step.drawnWidth >= 0) EXPECT_EQ(DrawnArea().Width, step.drawnWidth);
  }
}

TEST_F(ViewTest, AFrameIsDrawnCentredRedrawnOnWindowEventsAndTransparencyShowsEntryZero) {
  QFocusEvent focus(QEvent::FocusIn);
  std::vector<Argb>& pixels = const_cast<Image&>(CanvasImage()).Pixels;
  std::fill(pixels.begin(), pixels.end(), 0xFF000000u);
  QApplication::sendEvent(m_window.get(), &focus);
  EXPECT_EQ(CanvasImage().At(0, 0), 0xFF000000u) << "no frame, no redraw";

  OpenFrame(FrameFromRows({{1, 0}, {0, 1}}));
  m_window->resize(m_window->size() + QSize(60, 40));
  QApplication::processEvents();
  // Centred on the window below its menu bar, twenty pixels above the middle.
  const QSize client = m_window->Canvas().ClientSize();
  const PixelRect place{client.width() / 2 - 1, client.height() / 2 - 21, 2, 2};
  EXPECT_EQ(DrawnArea(), place);
  std::fill(pixels.begin(), pixels.end(), 0xFF000000u);
  QApplication::sendEvent(m_window.get(), &focus);
  EXPECT_EQ(DrawnArea(), place);
  EXPECT_EQ(m_window->Canvas().View().pixel(place.X, place.Y), ToArgb(TestColor(1)));
  EXPECT_EQ(CanvasImage().At(place.X + 1, place.Y), ToArgb(kCanvasColor));

  Trigger("UseTransparency");
  EXPECT_FALSE(Action("UseTransparency")->isChecked());
  EXPECT_EQ(CanvasImage().At(place.X + 1, place.Y), ToArgb(TestColor(0)));
  Trigger("UseTransparency");
  EXPECT_EQ(CanvasImage().At(place.X + 1, place.Y), ToArgb(kCanvasColor));
}

TEST_F(ViewTest, TheBackgroundPictureShowsAtOnceAndABadOneLeavesIt) {
  QImage picture(QSize(8, 6), QImage::Format_RGB32);
  picture.fill(QColor(10, 200, 30));
  ASSERT_TRUE(picture.save(PathOf("back.bmp"), "BMP"));
  Answer("SetBG", PathOf("back.bmp"));
  EXPECT_EQ(m_dialog.Requests().back(),
            (DialogRequest{DialogRequest::Kind::Open, "Set background ....", "Bmp File |*.bmp", ""}));
  const Argb green = 0xFF0AC81Eu;
  EXPECT_EQ(CanvasImage().At(7, 5), green);
  EXPECT_EQ(CanvasImage().At(8, 5), ToArgb(kCanvasColor));

  OpenFrame(SolidFrame(4, 4, 1));
  const std::uint8_t text[] = {'n', 'o', 't'};
  Answer("SetBG", WriteBytes("bad.bmp", text));
  EXPECT_TRUE(LastMessage(1, "Background error"));
  EXPECT_TRUE(m_messages.Shown()[0].Detail.contains("bad.bmp"));
  Trigger("ZoomIn");
  EXPECT_EQ(CanvasImage().At(0, 0), green);
  EXPECT_EQ(CanvasCount(TestColor(1)), 25);
}

}  // namespace
}  // namespace tessaloom
