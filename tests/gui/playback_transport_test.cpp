// The transport bar: stepping through the sprite's frames and through the clips of
// the current action, the position texts, entering and leaving action mode, and the
// inert "Sound" button.

#include "actions_fixture.h"
#include "render/playback.h"
#include "support/frame_builder.h"

namespace tessaloom {
namespace {

class TransportTest : public ActionsTest {
 protected:
  // The size of the frame on the canvas: TestSprite's frame n is (2 + n) x (1 + n).
  QString CanvasFrameSize() const {
    const PixelRect drawn = BoundsOfPixelsOtherThan(CanvasImage(), ToArgb(kCanvasColor));
    return QStringLiteral("%1 x %2").arg(drawn.Width).arg(drawn.Height);
  }

  int Current() const { return m_session->CurrentFrame(); }
};

TEST_F(TransportTest, StepsMoveThroughTheSpritesFramesAndStopAtTheEnds) {
  OpenByDialog(WriteSprite("five.spr", TestSprite(5)));
  EXPECT_EQ(PanelText(2), "Frame : 1/ 5");

  Transport("Last");
  EXPECT_EQ(Current(), 5);
  EXPECT_EQ(PanelText(2), "Frame :  5/ 5");
  EXPECT_EQ(CanvasFrameSize(), "7 x 6");
  Transport("Next");
  EXPECT_EQ(PanelText(2), "Frame :  5/ 5");
  EXPECT_EQ(CanvasFrameSize(), "7 x 6");
  Transport("Prev");
  EXPECT_EQ(PanelText(2), "Frame :  4/ 5");
  EXPECT_EQ(CanvasFrameSize(), "6 x 5");
  Transport("First");
  EXPECT_EQ(PanelText(2), "Frame :  1/ 5");
  EXPECT_EQ(CanvasFrameSize(), "3 x 2");
  Transport("Prev");
  EXPECT_EQ(Current(), 1);
  EXPECT_EQ(CanvasFrameSize(), "3 x 2");
  Transport("Next");
  Transport("Next");
  EXPECT_EQ(PanelText(2), "Frame :  3/ 5");
  EXPECT_EQ(CanvasFrameSize(), "5 x 4");
  EXPECT_TRUE(m_messages.Shown().empty());
}

TEST_F(TransportTest, StepsInActionModeMoveThroughTheClipsOfTheCurrentAction) {
  OpenByDialog(WriteSprite("one.spr", TestSprite(1)));
  Import(WriteAct("two.act", TwoActionExample()));
  Action("ReloadAct")->trigger();
  ClickNode("A001");

  Transport("Action");
  EXPECT_EQ(PanelText(2), "Frame :  1/ 5");
  Transport("Last");
  EXPECT_EQ(Current(), 4);
  EXPECT_EQ(PanelText(2), "Frame :  5/ 5");
  Transport("Next");
  EXPECT_EQ(Current(), 4);
  Transport("Prev");
  EXPECT_EQ(PanelText(2), "Frame :  4/ 5");
  Transport("First");
  Transport("Prev");
  EXPECT_EQ(Current(), 0);
  EXPECT_EQ(PanelText(2), "Frame :  1/ 5");

  // Another action counts its own clips from the next click on, whatever the button.
  ClickNode("A000C002");
  EXPECT_EQ(PanelText(2), "Frame :  1/ 5");
  Transport("Sound");
  EXPECT_EQ(PanelText(2), "Frame :  1/ 3");
  Transport("Last");
  EXPECT_EQ(PanelText(2), "Frame :  3/ 3");
  EXPECT_TRUE(m_messages.Shown().empty());
}

TEST_F(TransportTest, EnteringAndLeavingActionModeResetThePositionAndDrawNothing) {
  OpenByDialog(WriteSprite("five.spr", TestSprite(5)));
  Import(WriteAct("two.act", TwoActionExample()));
  Transport("Next");
  Transport("Next");
  const Image before = CanvasImage();

  Transport("Action");
  EXPECT_TRUE(m_session->Transport().ActionMode());
  EXPECT_EQ(Current(), 0);
  EXPECT_EQ(PanelText(2), "Frame :  1/ 3");
  EXPECT_EQ(CanvasImage(), before);
  // A window event redraws the current clip: layers 0 and 1 draw frames 1 and 2.
  m_window->Refresh();
  EXPECT_EQ(CanvasFrameSize(), "4 x 3");
  EXPECT_NE(m_window->ActionsWindow(), nullptr);
  EXPECT_FALSE(m_window->ActionsWindow()->isVisible());

  Transport("Next");
  const Image inActionMode = CanvasImage();
  Transport("Action");
  EXPECT_FALSE(m_session->Transport().ActionMode());
  EXPECT_EQ(Current(), 1);
  EXPECT_EQ(PanelText(2), "Frame :  1/ 5");
  EXPECT_EQ(CanvasImage(), inActionMode);
  Transport("First");
  EXPECT_EQ(CanvasFrameSize(), "3 x 2");
}

TEST_F(TransportTest, SoundTogglesAndDoesNothingElse) {
  OpenByDialog(WriteSprite("five.spr", TestSprite(5)));
  Transport("Last");
  const Image before = CanvasImage();
  Transport("Sound");
  EXPECT_TRUE(Action("Sound")->isChecked());
  Transport("Sound");
  EXPECT_FALSE(Action("Sound")->isChecked());
  EXPECT_EQ(PanelText(2), "Frame :  5/ 5");
  EXPECT_EQ(CanvasImage(), before);
  EXPECT_FALSE(m_session->Transport().Playing());
}

}  // namespace
}  // namespace tessaloom
