// Playing: the timer's rate, the ticks through the frames or clips with and without
// Loop, the Play and Pause buttons, and a clip that cannot be drawn while playing.

#include <QTest>

#include "actions_fixture.h"
#include "render/playback.h"

namespace tessaloom {
namespace {

class PlaybackTest : public ActionsTest {
 protected:
  Playback& Player() { return m_session->Transport(); }
  void Tick() { Player().TickNow(); }
  bool PlayPressed() const { return Action("Play")->isChecked(); }
  bool PausePressed() const { return Action("Pause")->isChecked(); }
};

TEST_F(PlaybackTest, PlayingThreeFramesStopsOnTheLastWithoutLoop) {
  OpenByDialog(WriteSprite("three.spr", TestSprite(3)));
  EXPECT_EQ(Player().Interval(), 125);
  EXPECT_FALSE(PlayPressed());
  EXPECT_TRUE(PausePressed());

  Transport("Play");
  EXPECT_TRUE(Player().Playing());
  EXPECT_TRUE(PlayPressed());
  EXPECT_FALSE(PausePressed());

  Tick();
  EXPECT_EQ(PanelText(2), "Frame :  2/ 3");
  Tick();
  EXPECT_EQ(PanelText(2), "Frame :  3/ 3");
  EXPECT_TRUE(Player().Playing());
  const Image last = CanvasImage();
  Tick();
  EXPECT_EQ(PanelText(2), "Frame :  3/ 3");
  EXPECT_EQ(CanvasImage(), last);
  EXPECT_FALSE(Player().Playing());
  EXPECT_FALSE(PlayPressed());
  EXPECT_TRUE(PausePressed());
}

TEST_F(PlaybackTest, WithLoopTheFirstFrameFollowsTheLast) {
  OpenByDialog(WriteSprite("three.spr", TestSprite(3)));
  Transport("Loop");
  EXPECT_TRUE(Player().Looping());
  Transport("Play");
  Tick();
  Tick();
  Tick();
  EXPECT_EQ(PanelText(2), "Frame :  1/ 3");
  EXPECT_TRUE(Player().Playing());
  Tick();
  EXPECT_EQ(PanelText(2), "Frame :  2/ 3");

  Transport("Pause");
  EXPECT_FALSE(Player().Playing());
  EXPECT_FALSE(PlayPressed());
  EXPECT_TRUE(PausePressed());
}

TEST_F(PlaybackTest, PlayingInActionModeGoesThroughTheClips) {
  OpenByDialog(WriteSprite("six.spr", TestSprite(6)));
  Import(WriteAct("two.act", TwoActionExample()));
  Transport("Action");
  Transport("Play");
  Tick();
  EXPECT_EQ(PanelText(2), "Frame :  2/ 3");
  Tick();
  EXPECT_EQ(PanelText(2), "Frame :  3/ 3");
  Tick();
  EXPECT_EQ(m_session->CurrentFrame(), 2);
  EXPECT_FALSE(Player().Playing());

  Transport("Loop");
  Transport("Play");
  Tick();
  EXPECT_EQ(m_session->CurrentFrame(), 0);
  EXPECT_EQ(PanelText(2), "Frame :  1/ 3");
  EXPECT_TRUE(m_messages.Shown().empty());
}

TEST_F(PlaybackTest, PlayAndPauseKeepTheirButtonsTrueToThePlaying) {
  OpenByDialog(WriteSprite("three.spr", TestSprite(3)));
  Transport("Pause");
  EXPECT_TRUE(PausePressed());
  EXPECT_FALSE(Player().Playing());
  Transport("Play");
  Transport("Play");
  EXPECT_TRUE(PlayPressed());
  EXPECT_FALSE(PausePressed());
  EXPECT_TRUE(Player().Playing());
  // Opening another sprite does not stop playing.
  OpenByDialog(WriteSprite("two.spr", TestSprite(2)));
  EXPECT_TRUE(Player().Playing());
  Transport("Pause");
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

  ASSERT_EQ(m_messages.Shown().size(), 1u);
  EXPECT_EQ(m_messages.Shown()[0].Text, "error draw");
  EXPECT_EQ(m_messages.Shown()[0].Title, "Tessaloom+");
  EXPECT_EQ(m_messages.Shown()[0].Icon, MessageIcon::None);
  EXPECT_FALSE(Player().Playing());
  EXPECT_FALSE(PlayPressed());
  EXPECT_TRUE(PausePressed());
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
  playback.TickNow();
  EXPECT_EQ(ticks, 2);
}

}  // namespace
}  // namespace tessaloom
