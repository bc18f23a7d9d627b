// Sprites dropped on the canvas from the desktop.

#include "render/spr_bg.h"
#include "window_fixture.h"

namespace tessaloom {
namespace {

TEST_F(WindowTest, DropOpensAFileEndingInSprInAnyCase) {
  const QString upper = WriteSprite("HERO.SPR", TestSprite(2));
  Drop({upper});
  EXPECT_TRUE(m_messages.Shown().empty());
  EXPECT_TRUE(SameImages(m_session->Document(), TestSprite(2)));
  EXPECT_EQ(PanelText(2), "Frame : 1/ 2");
  EXPECT_EQ(m_window->Canvas().toolTip(), upper);
  EXPECT_EQ(RecentCaptions(), std::vector<QString>{upper});
  EXPECT_TRUE(Action("Save")->isEnabled());
  EXPECT_TRUE(m_dialog.Requests().empty());

  // Only the last three letters count, not a dot before them.
  const QString noDot = WriteSprite("heroSpr", TestSprite(3));
  Drop({noDot});
  EXPECT_TRUE(SameImages(m_session->Document(), TestSprite(3)));
}

TEST_F(WindowTest, DropOpensOnlyTheFirstFile) {
  const QString first = WriteSprite("first.spr", TestSprite(4));
  const QString second = WriteSprite("second.spr", TestSprite(5));
  Drop({first, second});
  EXPECT_TRUE(SameImages(m_session->Document(), TestSprite(4)));
  EXPECT_EQ(RecentCaptions(), std::vector<QString>{first});
}

TEST_F(WindowTest, DropRefusesABitmapAndKeepsTheSprite) {
  const QString sprite = WriteSprite("kept.spr", TestSprite(2));
  Drop({sprite});
  const QString bitmap = WriteSprite("picture.bmp", TestSprite(3));
  Drop({bitmap, sprite});

  ASSERT_EQ(m_messages.Shown().size(), 1u);
  EXPECT_EQ(m_messages.Shown()[0], (Message{.Text = "This is not a valid sprite file",
                                            .Title = "Error Opening Sprite",
                                            .Icon = MessageIcon::None}));
  EXPECT_TRUE(SameImages(m_session->Document(), TestSprite(2)));
  EXPECT_EQ(RecentCaptions(), std::vector<QString>{sprite});
}

}  // namespace
}  // namespace tessaloom
