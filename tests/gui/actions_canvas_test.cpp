// Clips on the canvas in action mode: layers stacked in order with and without
// transparency, offsets in canvas pixels at any zoom, layers showing no frame of the
// sprite, empty clips, and "error draw" for a clip that is not there.

#include <QApplication>
#include <QFocusEvent>
#include <cmath>

#include "actions_fixture.h"
#include "support/frame_builder.h"

namespace tessaloom {
namespace {

class ClipCanvasTest : public ActionsTest {
 protected:
  // Frame 0 is 4 x 4 of index 1; frame 1 is 2 x 2 with index 0 (the key colour) on
  // its diagonal and index 2 elsewhere. Clip 0 stacks frame 1 one pixel right and
  // down over frame 0; clip 1 has a layer of a frame the sprite lacks under frame 1
  // ten pixels left; clip 2 has no layers.
  void OpenClips() {
    SprDocument sprite;
    sprite.Header.Palette = TestPalette();
    sprite.Frames = {SolidFrame(4, 4, 1), FrameFromRows({{0, 2}, {2, 0}})};
    sprite.Header.FrameCount = 2;
    OpenByDialog(WriteSprite("layers.spr", sprite));

    ActFileSpec spec;
    spec.Actions.resize(1);
    spec.Actions[0].Clips = {ActClipSpec{.Layers = {LayerAt(0), LayerAt(1, 1, 1)}},
                             ActClipSpec{.Layers = {LayerAt(99), LayerAt(1, -10, 0)}}, ActClipSpec{}};
    Import(WriteAct("layers.act", spec));
    Transport("Action");
  }

  // Where a W x H frame with the layer offset (dx, dy) lands at zoom step `step`.
  PixelRect Place(int width, int height, int dx, int dy, int step = 3) const {
    const QSize client = m_window->ClientSize();
    const double scale = step / 3.0;
    return PixelRect{static_cast<int>(std::floor(client.width() / 2.0 - scale * width / 2.0)) + dx,
                     static_cast<int>(std::floor(client.height() / 2.0 - scale * height / 2.0 - 20)) + dy,
                     static_cast<int>(std::lround(scale * width)), static_cast<int>(std::lround(scale * height))};
  }

  PixelRect DrawnArea() const { return BoundsOfPixelsOtherThan(CanvasImage(), ToArgb(kCanvasColor)); }
  static Argb Colour(int index) { return ToArgb(TestPaletteColor(index)); }
};

TEST_F(ClipCanvasTest, TheSecondLayerIsDrawnOverTheFirst) {
  OpenClips();
  Transport("First");
  const PixelRect under = Place(4, 4, 0, 0);
  const PixelRect over = Place(2, 2, 1, 1);
  EXPECT_EQ(DrawnArea(), under);
  EXPECT_EQ(CanvasPixel(under.X, under.Y), Colour(1));
  EXPECT_EQ(CanvasPixel(over.X + 1, over.Y), Colour(2));
  EXPECT_EQ(CanvasPixel(over.X, over.Y + 1), Colour(2));
  // The key colour of the upper layer shows the layer below.
  EXPECT_EQ(CanvasPixel(over.X, over.Y), Colour(1));
  EXPECT_EQ(CanvasPixel(over.X + 1, over.Y + 1), Colour(1));

  Action("UseTransparency")->trigger();
  EXPECT_EQ(CanvasPixel(over.X, over.Y), Colour(0));
  EXPECT_EQ(CanvasPixel(over.X + 1, over.Y), Colour(2));
  EXPECT_EQ(CanvasPixel(under.X, under.Y), Colour(1));
  EXPECT_TRUE(m_messages.Shown().empty());
}

TEST_F(ClipCanvasTest, OffsetsAreCanvasPixelsAtEveryZoomAndMissingFramesAreSkipped) {
  OpenClips();
  Transport("Next");
  EXPECT_EQ(DrawnArea(), Place(2, 2, -10, 0));
  for (int step = 4; step <= 6; ++step) {
    Action("ZoomIn")->trigger();
    EXPECT_EQ(DrawnArea(), Place(2, 2, -10, 0, step)) << step;
  }
  EXPECT_EQ(CanvasPixel(Place(2, 2, -10, 0, 6).X + 2, Place(2, 2, -10, 0, 6).Y + 1), Colour(2));
  EXPECT_TRUE(m_messages.Shown().empty());
}

TEST_F(ClipCanvasTest, AClipWithoutLayersShowsTheClearedCanvas) {
  OpenClips();
  Transport("First");
  Transport("Last");
  EXPECT_EQ(m_session->CurrentFrame(), 2);
  EXPECT_EQ(DrawnArea().Width, 0);
  EXPECT_EQ(CanvasPixel(0, 0), ToArgb(kCanvasColor));
  EXPECT_TRUE(m_messages.Shown().empty());
}

TEST_F(ClipCanvasTest, AClipThatIsNotThereIsReportedOnceWhenChosen) {
  OpenByDialog(WriteSprite("one.spr", TestSprite(1)));
  Import(WriteAct("empty.act", ActionsOfClips({0})));
  Transport("Action");
  EXPECT_EQ(PanelText(2), "Frame :  1/ 0");
  const Image before = CanvasImage();
  Transport("First");
  ASSERT_EQ(m_messages.Shown().size(), 1u);
  EXPECT_EQ(m_messages.Shown()[0].Text, "error draw");
  EXPECT_EQ(m_messages.Shown()[0].Title, "Tessaloom+");
  EXPECT_EQ(m_messages.Shown()[0].Icon, MessageIcon::None);
  EXPECT_EQ(CanvasImage(), before);

  // The window's own events come again and again: they clear the canvas and say nothing.
  QFocusEvent focus(QEvent::FocusIn);
  QApplication::sendEvent(m_window.get(), &focus);
  m_window->resize(m_window->width() + 10, m_window->height());
  QApplication::processEvents();
  EXPECT_EQ(m_messages.Shown().size(), 1u);
  EXPECT_EQ(DrawnArea().Width, 0);
  EXPECT_EQ(CanvasPixel(0, 0), ToArgb(kCanvasColor));

  Transport("Last");
  EXPECT_EQ(PanelText(2), "Frame :  0/ 0");
  EXPECT_EQ(m_messages.Shown().size(), 2u);
}

}  // namespace
}  // namespace tessaloom
