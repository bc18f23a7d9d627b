// Clips on the canvas in action mode: layers stacked in order with and without
// transparency, layers showing no frame of the sprite, empty clips, and "error draw"
// for a clip that is not there. Where each layer lands is the renderer's own test.

#include <QApplication>
#include <QFocusEvent>

#include "actions_fixture.h"

namespace tessaloom {
namespace {

Argb Colour(int index) { return ToArgb(TestPaletteColor(index)); }

TEST_F(ActionsTest, AClipStacksItsLayersAndSkipsFramesTheSpriteLacks) {
  // Frame 0 is 4 x 4 of index 1; frame 1 is 2 x 2 with index 0 (the key colour) on
  // its diagonal and index 2 elsewhere. Clip 0 stacks frame 1 one pixel right and
  // down over frame 0; clip 1 has a layer of a frame the sprite lacks under frame 1;
  // clip 2 has no layers.
  SprDocument sprite = TestSprite(0);
  sprite.Frames = {SolidFrame(4, 4, 1), FrameFromRows({{0, 2}, {2, 0}})};
  sprite.Header.FrameCount = 2;
  OpenByDialog(WriteSprite("layers.spr", sprite));
  ActFileFields layout;
  layout.Actions.resize(1);
  layout.Actions[0].Clips = {ActClipFields{.Layers = {LayerAt(0), LayerAt(1, 1, 1)}},
                           ActClipFields{.Layers = {LayerAt(99), LayerAt(1, -10, 0)}}, ActClipFields{}};
  Import(WriteAct("layers.act", layout));
  Transport("Action");
  Transport("First");

  const PixelRect under = DrawnArea();
  EXPECT_EQ(under.Width, 4);
  EXPECT_EQ(CanvasPixel(under.X, under.Y), Colour(1));
  // Centred, the upper layer's top left is two pixels in from the lower layer's.
  const int x = under.X + 2;
  const int y = under.Y + 2;
  EXPECT_EQ(CanvasPixel(x + 1, y), Colour(2));
  EXPECT_EQ(CanvasPixel(x, y + 1), Colour(2));
  // The key colour of the upper layer shows the layer below.
  EXPECT_EQ(CanvasPixel(x, y), Colour(1));
  EXPECT_EQ(CanvasPixel(x + 1, y + 1), Colour(1));
  Action("UseTransparency")->trigger();
  EXPECT_EQ(CanvasPixel(x, y), Colour(0));
  EXPECT_EQ(CanvasPixel(x + 1, y), Colour(2));
  Action("UseTransparency")->trigger();

  Transport("Next");
  EXPECT_EQ(DrawnArea().Width, 2);
  EXPECT_EQ(DrawnArea().X, under.X + 1 - 10);
  Transport("Last");
  EXPECT_EQ(DrawnArea().Width, 0);
  EXPECT_TRUE(m_messages.Shown().empty());
}

TEST_F(ActionsTest, AClipThatIsNotThereIsReportedOnceWhenChosen) {
  OpenByDialog(WriteSprite("one.spr", TestSprite(1)));
  Import(WriteAct("empty.act", ActionsOfClips({0})));
  Transport("Action");
  EXPECT_EQ(PanelText(2), "Frame :  1/ 0");
  const Image before = CanvasImage();
  Transport("First");
  const Message errorDraw{.Text = "error draw", .Title = "Tessaloom+", .Icon = MessageIcon::None};
  EXPECT_EQ(m_messages.Shown().size(), 1u);
  EXPECT_EQ(ShownMessage(0), errorDraw);
  EXPECT_EQ(CanvasImage(), before);

  // The window's own events come again and again: they clear the canvas and say nothing.
  QFocusEvent focus(QEvent::FocusIn);
  QApplication::sendEvent(m_window.get(), &focus);
  m_window->resize(m_window->width() + 10, m_window->height());
  QApplication::processEvents();
  EXPECT_EQ(m_messages.Shown().size(), 1u);
  EXPECT_EQ(DrawnArea().Width, 0);

  Transport("Last");
  EXPECT_EQ(PanelText(2), "Frame :  0/ 0");
  EXPECT_EQ(m_messages.Shown().size(), 2u);
}

}  // namespace
}  // namespace tessaloom
