// The view: zoom with its indicator and limits, transparency, the background
// picture, and the frame on the canvas, redrawn on the window's own events.

#include <QApplication>
#include <QLabel>
#include <QFocusEvent>
#include <QImage>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>

#include "window_fixture.h"

namespace tessaloom {
namespace {

class ViewTest : public WindowTest {
 protected:
  void OpenFrame(SprFrame frame) { OpenByDialog(WriteSprite("frame.spr", SpriteOf({std::move(frame)}))); }
};

TEST_F(ViewTest, ZoomStepsThroughItsTextsAndDisablesAnItemOnlyPastALimit) {
  OpenFrame(SolidFrame(10, 10, 1));
  const auto* label = m_window->findChild<QLabel*>("ZoomIndicator");
  // Out at the least zoom only shows it; In past the greatest keeps it.
  const QStringList both{"ZoomOut", "ZoomIn"};
  for (int press = 0; press <= 9; ++press) {
    Trigger(press == 0 ? "ZoomOutButton" : press == 1 ? "ZoomInButton" : "ZoomIn");
    const QString text = QStringLiteral("%1x").arg(std::min(press + 1, 9));
    SCOPED_TRACE(text.toStdString());
    EXPECT_EQ(label->text(), text);
    EXPECT_EQ(Enabled(both), press == 0 ? QStringList{"ZoomIn"} : press == 9 ? QStringList{"ZoomOut"} : both);
  }
  EXPECT_EQ(DrawnArea().Width, 37);
  Trigger("ZoomOut");
  EXPECT_EQ(label->text(), "8x");
}

TEST_F(ViewTest, KeysAndTheWheelStepPlayZoomAndQuitAndTheSizeFollowsTheFrame) {
  OpenByDialog(WriteSprite("five.spr", TestSprite(5)));
  const auto* label = m_window->findChild<QLabel*>("ZoomIndicator");
  const struct {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* position;
    const char* zoom;
    bool playing;
  } presses[] = {{Qt::Key_End, {}, "Frame :  5/ 5", "x1", false},      {Qt::Key_Left, {}, "Frame :  4/ 5", "x1", false},
                 {Qt::Key_Home, {}, "Frame :  1/ 5", "x1", false},     {Qt::Key_Right, {}, "Frame :  2/ 5", "x1", false},
                 {Qt::Key_Plus, Qt::ControlModifier, "Frame :  2/ 5", "2x", false},
                 {Qt::Key_Minus, Qt::ControlModifier, "Frame :  2/ 5", "1x", false},
                 {Qt::Key_Space, {}, "Frame :  2/ 5", "1x", true},     {Qt::Key_Space, {}, "Frame :  2/ 5", "1x", false}};
  for (const auto& press : presses) {
    QTest::keyClick(m_window.get(), press.key, press.modifiers);
    SCOPED_TRACE(press.position);
    EXPECT_EQ(PanelText(2), press.position);
    const int frame = PanelText(2).split('/').first().section(' ', -1).toInt();  // frame n is 2 + n by 1 + n
    EXPECT_EQ(PanelText(1), QStringLiteral("Size: %1 x %2").arg(2 + frame).arg(1 + frame));
    EXPECT_EQ(label->text(), QString::fromLatin1(press.zoom));
    EXPECT_EQ(m_session->Playback().Playing(), press.playing);
  }
  for (const int turn : {120, -120}) {
    QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), {}, QPoint(0, turn), Qt::NoButton, Qt::ControlModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&m_window->Canvas(), &wheel);
    EXPECT_EQ(label->text(), turn > 0 ? "2x" : "1x");
  }
  QTest::keyClick(m_window.get(), Qt::Key_Q, Qt::ControlModifier);
  EXPECT_FALSE(m_window->isVisible());
}

TEST_F(ViewTest, AFrameIsDrawnCentredRedrawnOnWindowEventsAndTransparencyShowsEntryZero) {
  OpenFrame(FrameFromRows({{1, 0}, {0, 1}}));
  m_window->resize(m_window->size() + QSize(60, 40));
  QApplication::processEvents();
  // Centred on the window below its menu bar, twenty pixels above the middle.
  const QSize client = m_window->Canvas().ClientSize();
  const PixelRect place{client.width() / 2 - 1, client.height() / 2 - 21, 2, 2};
  EXPECT_EQ(DrawnArea(), place);
  std::vector<Argb>& pixels = const_cast<Image&>(CanvasImage()).Pixels;
  std::fill(pixels.begin(), pixels.end(), 0xFF000000u);
  QFocusEvent focus(QEvent::FocusIn);
  QApplication::sendEvent(m_window.get(), &focus);
  EXPECT_EQ(DrawnArea(), place);
  EXPECT_EQ(CanvasImage().At(place.X + 1, place.Y), ToArgb(kCanvasColor));

  Trigger("UseTransparency");
  EXPECT_EQ(CanvasImage().At(place.X + 1, place.Y), ToArgb(TestColor(0)));
}

TEST_F(ViewTest, ThePixelUnderTheMouseIsInTheStatusBar) {
  OpenFrame(FrameFromRows({{1, 0}, {0, 1}}));
  Trigger("ZoomIn");  // scale 4/3: canvas pixels 0 and 1 show frame column 0, pixel 2 column 1
  const PixelRect place = DrawnArea();
  const auto hover = [this](int x, int y) {
    QMouseEvent move(QEvent::MouseMove, QPointF(x, y), QPointF(x, y), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&m_window->Canvas(), &move);
    return m_window->findChild<QLabel*>("PixelPanel")->text();
  };
  const Color one = TestColor(1), zero = TestColor(0);
  EXPECT_EQ(hover(place.X + 1, place.Y), QString::asprintf("Pixel 0, 0: index 1, #%02X%02X%02X", RedOf(one), GreenOf(one), BlueOf(one)));
  EXPECT_EQ(hover(place.X + 2, place.Y), QString::asprintf("Pixel 1, 0: index 0, #%02X%02X%02X", RedOf(zero), GreenOf(zero), BlueOf(zero)));
  EXPECT_EQ(hover(place.X - 1, place.Y), QString());
}

TEST_F(ViewTest, TheBackgroundPictureShowsAtOnceOverTheCheckerboardAndABadOneLeavesIt) {
  QImage picture(QSize(8, 6), QImage::Format_RGB32);
  picture.fill(QColor(10, 200, 30));
  ASSERT_TRUE(picture.save(PathOf("back.bmp"), "BMP"));
  Answer("SetBG", PathOf("back.bmp"));
  const Argb green = 0xFF0AC81Eu;
  EXPECT_EQ(CanvasImage().At(7, 5), green);
  // The checkerboard replaces the colour, under the picture: squares of 8 from light.
  Trigger("CheckerboardBG");
  EXPECT_EQ(CanvasImage().At(7, 5), green);
  EXPECT_EQ(CanvasImage().At(8, 0), ToArgb(kCheckerDark));
  EXPECT_EQ(CanvasImage().At(8, 8), ToArgb(kCheckerLight));
  EXPECT_EQ(CanvasImage().At(16, 7), ToArgb(kCheckerLight));
  Trigger("CheckerboardBG");
  EXPECT_EQ(CanvasImage().At(8, 0), ToArgb(kCanvasColor));

  OpenFrame(SolidFrame(4, 4, 1));
  const std::uint8_t text[] = {'n', 'o', 't'};
  Answer("SetBG", WriteBytes("bad.bmp", text));
  EXPECT_TRUE(LastMessage(1, "Background error"));
  Trigger("ZoomIn");
  EXPECT_EQ(CanvasImage().At(0, 0), green);
}

TEST_F(ViewTest, TheViewIsKeptForTheNextRun) {
  OpenFrame(SolidFrame(4, 4, 1));
  for (const char* item : {"ZoomIn", "ZoomIn", "UseTransparency", "CheckerboardBG"}) Trigger(item);
  m_session->View().SetBackgroundColor(MakeColor(1, 2, 3));
  Restart();
  EXPECT_EQ(m_window->findChild<QLabel*>("ZoomIndicator")->text(), QStringLiteral("3x"));
  EXPECT_EQ(m_session->View().ZoomStep(), 5);
  EXPECT_FALSE(Action("UseTransparency")->isChecked());
  EXPECT_TRUE(Action("CheckerboardBG")->isChecked());
  EXPECT_EQ(m_session->View().BackgroundColor(), MakeColor(1, 2, 3));
}

}  // namespace
}  // namespace tessaloom
