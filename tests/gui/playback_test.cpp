// The transport bar and playing: stepping through the sprite's frames and through the
// clips of the current action, the position texts, entering and leaving action mode,
// the inert "Sound", and the timer's ticks with and without Loop.

#include <QTest>

#include "actions_fixture.h"
#include "gui/render/playback.h"

namespace tessaloom {
namespace {

class PlaybackTest : public ActionsTest {
 protected:
  Playback& Player() { return m_session->Transport(); }
  void Tick() { Player().TickNow(); }
  // The size of the frame on the canvas: TestSprite's frame n is (2 + n) x (1 + n).
  QString CanvasFrameSize() const { return QStringLiteral("%1 x %2").arg(DrawnArea().Width).arg(DrawnArea().Height); }
  // Play and Pause always tell the truth about the playing.
  void ExpectPlaying(bool playing) {
    EXPECT_EQ(Player().Playing(), playing);
    EXPECT_EQ(Action("Play")->isChecked(), playing);
    EXPECT_EQ(Action("Pause")->isChecked(), !playing);
  }
};

TEST_F(PlaybackTest, StepsMoveThroughTheSpritesFramesAndStopAtTheEnds) {
  OpenByDialog(WriteSprite("five.spr", TestSprite(5)));
  EXPECT_EQ(PanelText(2), "Frame : 1/ 5");
  const struct {
    const char* button;
    const char* position;
    const char* size;
  } steps[] = {{"Last", "Frame :  5/ 5", "7 x 6"},  {"Next", "Frame :  5/ 5", "7 x 6"},
               {"Prev", "Frame :  4/ 5", "6 x 5"},  {"First", "Frame :  1/ 5", "3 x 2"},
               {"Prev", "Frame :  1/ 5", "3 x 2"},  {"Next", "Frame :  2/ 5", "4 x 3"},
               {"Sound", "Frame :  2/ 5", "4 x 3"}, {"Sound", "Frame :  2/ 5", "4 x 3"}};
  for (const auto& step : steps) {
    SCOPED_TRACE(step.button);
    Transport(step.button);
    EXPECT_EQ(PanelText(2), step.position);
    EXPECT_EQ(CanvasFrameSize(), step.size);
  }
  EXPECT_FALSE(Action("Sound")->isChecked());
  EXPECT_FALSE(Player().Playing());
  EXPECT_TRUE(m_messages.Shown().empty());
}

TEST_F(PlaybackTest, StepsInActionModeMoveThroughTheClipsOfTheCurrentAction) {
  OpenByDialog(WriteSprite("one.spr", TestSprite(1)));
  Import(WriteAct("two.act", TwoActionExample()));
  Action("ReloadAct")->trigger();
  ClickNode("A001");
  Transport("Action");
  EXPECT_EQ(PanelText(2), "Frame :  1/ 5");
  Transport("Last");
  Transport("Next");
  EXPECT_EQ(PanelText(2), "Frame :  5/ 5");
  Transport("Prev");
  EXPECT_EQ(PanelText(2), "Frame :  4/ 5");
  Transport("First");
  Transport("Prev");
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

TEST_F(PlaybackTest, EnteringAndLeavingActionModeResetThePositionAndDrawNothing) {
  OpenByDialog(WriteSprite("five.spr", TestSprite(5)));
  Import(WriteAct("two.act", TwoActionExample()));
  Transport("Next");
  Transport("Next");
  const Image before = CanvasImage();

  Transport("Action");
  EXPECT_TRUE(Player().ActionMode());
  EXPECT_EQ(m_session->CurrentFrame(), 0);
  EXPECT_EQ(PanelText(2), "Frame :  1/ 3");
  EXPECT_EQ(CanvasImage(), before);
  // A window event redraws the current clip: layers 0 and 1 draw frames 1 and 2.
  m_window->Refresh();
  EXPECT_EQ(CanvasFrameSize(), "4 x 3");
  ASSERT_NE(m_window->ActionsWindow(), nullptr);
  EXPECT_FALSE(m_window->ActionsWindow()->isVisible());

  Transport("Next");
  const Image inActionMode = CanvasImage();
  Transport("Action");
  EXPECT_FALSE(Player().ActionMode());
  EXPECT_EQ(m_session->CurrentFrame(), 1);
  EXPECT_EQ(PanelText(2), "Frame :  1/ 5");
  EXPECT_EQ(CanvasImage(), inActionMode);
}

TEST_F(PlaybackTest, PlayingThreeFramesStopsOnTheLastWithoutLoopAndWrapsWithIt) {
  OpenByDialog(WriteSprite("three.spr", TestSprite(3)));
  EXPECT_EQ(Player().Interval(), 125);
  ExpectPlaying(false);
  Transport("Play");
  Transport("Play");
  ExpectPlaying(true);
  Tick();
  EXPECT_EQ(PanelText(2), "Frame :  2/ 3");
  Tick();
  EXPECT_EQ(PanelText(2), "Frame :  3/ 3");
  ExpectPlaying(true);
  const Image last = CanvasImage();
  Tick();
  EXPECT_EQ(PanelText(2), "Frame :  3/ 3");
  EXPECT_EQ(CanvasImage(), last);
  ExpectPlaying(false);

  Transport("Loop");
  EXPECT_TRUE(Player().Looping());
  Transport("Play");
  Tick();
  EXPECT_EQ(PanelText(2), "Frame :  1/ 3");
  Tick();
  EXPECT_EQ(PanelText(2), "Frame :  2/ 3");
  // Opening another sprite does not stop playing.
  OpenByDialog(WriteSprite("two.spr", TestSprite(2)));
  ExpectPlaying(true);
  Transport("Pause");
  ExpectPlaying(false);
}

TEST_F(PlaybackTest, PlayingInActionModeGoesThroughTheClips) {
  OpenByDialog(WriteSprite("six.spr", TestSprite(6)));
  Import(WriteAct("two.act", TwoActionExample()));
  Transport("Action");
  Transport("Play");
  Tick();
  EXPECT_EQ(PanelText(2), "Frame :  2/ 3");
  Tick();
  Tick();
  EXPECT_EQ(PanelText(2), "Frame :  3/ 3");
  ExpectPlaying(false);

  Transport("Loop");
  Transport("Play");
  Tick();
  EXPECT_EQ(m_session->CurrentFrame(), 0);
  EXPECT_EQ(PanelText(2), "Frame :  1/ 3");
  EXPECT_TRUE(m_messages.Shown().empty());
}

TEST_F(PlaybackTest, AClipThatCannotBeDrawnStopsPlayingWithOneMessage) {
  OpenByDialog(WriteSprite("three.spr", TestSprite(3)));
  Import(WriteAct("a.act", ActionsOfClips({2, 0})));
  Action("ReloadAct")->trigger();
  Transport("Action");
  Transport("Loop");
  Transport("Play");
  Tick();
  EXPECT_TRUE(m_messages.Shown().empty());
  // The second action has no clips: its clip 0 cannot be drawn.
  ClickNode("A001");
  Tick();
  EXPECT_EQ(m_messages.Shown().size(), 1u);
  EXPECT_EQ(ShownMessage(0), (Message{.Text = "error draw", .Title = "Tessaloom+", .Icon = MessageIcon::None}));
  ExpectPlaying(false);
}

TEST(PlaybackTimer, TicksByItselfWhilePlaying) {
  Playback playback;
  int ticks = 0;
  QObject::connect(&playback, &Playback::ticked, [&] {
    if (++ticks == 2) playback.Stop();
  });
  playback.Play();
  EXPECT_TRUE(QTest::qWaitFor([&] { return !playback.Playing(); }, 10000));
  EXPECT_EQ(ticks, 2);
}

}  // namespace
}  // namespace tessaloom
