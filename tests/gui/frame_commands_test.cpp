// Adding frames from 8-bit bitmaps and deleting frames.

#include <QTest>

#include "gui/widgets/canvas_view.h"
#include "support/bmp_bytes.h"
#include "window_fixture.h"

namespace tessaloom {
namespace {

TEST_F(WindowTest, AFrameIsInsertedAfterTheCurrentOneAndBecomesCurrent) {
  OpenByDialog(WriteSprite("three.spr", TestSprite(3)));
  Trigger("Next");
  Answer("AddFrame", WriteBitmap("new.bmp", {{5, 6}}));
  EXPECT_EQ(m_dialog.Requests().back(),
            (DialogRequest{DialogRequest::Kind::Open, "Import frame ....", "Bitmap 8 bits |*.bmp", ""}));
  ASSERT_EQ(Sprite().Frames.size(), 4u);
  EXPECT_EQ(Sprite().Frames[2].Pixels, (std::vector<std::uint8_t>{5, 6, 0, 0}));
  EXPECT_EQ(Sprite().Header.Palette, TestPalette()) << "the sprite keeps its palette";
  EXPECT_EQ(PanelText(1), "Size: 2 x 1");
  EXPECT_EQ(PanelText(2), "Frame : 3/ 4");
  EXPECT_EQ(m_window->Canvas().toolTip(), "Size: 2 x 1");
  EXPECT_EQ(CanvasCount(TestColor(5)), 1);

  Trigger("Last");
  Answer("Add", WriteBitmap("last.bmp", {{9}}));
  EXPECT_EQ(Sprite().Frames.size(), 5u);
  EXPECT_EQ(PanelText(2), "Frame : 5/ 5");
  EXPECT_TRUE(m_messages.Shown().empty());
}

TEST_F(WindowTest, AnEmptySpriteTakesTheBitmapsColourTableAndEnablesTheSpriteCommands) {
  m_dialog.AnswerFile(WriteBitmap("five.bmp", {{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}}));
  QTest::keyClick(m_window.get(), Qt::Key_A, Qt::ControlModifier);
  ASSERT_EQ(Sprite().Frames.size(), 1u);
  EXPECT_EQ(Sprite().Header.Palette, GradientTable(256));
  EXPECT_EQ(PanelText(2), "Frame : 1/ 1");
  for (const char* name : {"Save", "SaveButton", "Palette", "DeleteFrame"}) EXPECT_TRUE(Action(name)->isEnabled());
  EXPECT_EQ(Cell(3).CellColor(), MakeColor(1, 252, 3));
}

TEST_F(WindowTest, ABitmapThatCannotBeAddedIsReportedAndAddsNothing) {
  OpenByDialog(WriteSprite("two.spr", TestSprite(2)));
  m_dialog.AnswerCancel();
  Trigger("AddFrame");
  Answer("AddFrame", WriteBitmap("deep.bmp", {{1, 2, 3, 4, 5, 6}}, 24));
  // OK button only, and no icon.
  ASSERT_EQ(m_messages.Shown().size(), 1u);
  EXPECT_EQ(m_messages.Shown()[0], (Message{.Text = "No 8 bits bitmap format",
                                            .Title = "Format incompatible",
                                            .Icon = MessageIcon::None,
                                            .Detail = m_messages.Shown()[0].Detail}));
  Answer("AddFrame", PathOf("missing.bmp"));
  EXPECT_TRUE(LastMessage(2, "Open error", "missing.bmp"));
  EXPECT_TRUE(SameImages(Sprite(), TestSprite(2)));
}

TEST_F(WindowTest, DeleteRemovesTheCurrentFrameAfterAsking) {
  OpenByDialog(WriteSprite("three.spr", TestSprite(3)));
  Trigger("Next");
  m_messages.AnswerQuestion(false);
  Trigger("DeleteFrame");
  EXPECT_EQ(m_messages.Asked().back(),
            (Message{.Text = "Delete frame 2 of 3?", .Title = "Delete frame", .Icon = MessageIcon::Question}));
  EXPECT_EQ(Sprite().Frames.size(), 3u);

  // The next frame becomes current, the previous one at the end.
  const char* const positions[] = {"Frame : 2/ 2", "Frame : 1/ 1", "Frame : 0/ 0"};
  for (const char* position : positions) {
    m_messages.AnswerQuestion(true);
    Trigger("Sub");
    EXPECT_EQ(PanelText(2), position);
  }
  EXPECT_EQ(Sprite().Header.Palette, TestPalette());
  EXPECT_FALSE(Action("DeleteFrame")->isEnabled());
  EXPECT_EQ(DrawnArea().Width, 0);
  Trigger("Sub");  // with no frame left there is nothing to ask about
  EXPECT_EQ(m_messages.Asked().size(), 4u);
}

TEST_F(WindowTest, NewDisablesDelete) {
  OpenByDialog(WriteSprite("three.spr", TestSprite(3)));
  ASSERT_TRUE(Action("DeleteFrame")->isEnabled());
  Trigger("NewFile");
  EXPECT_FALSE(Action("DeleteFrame")->isEnabled());
}

}  // namespace
}  // namespace tessaloom
