// The undo of palette colour edits: the last ten, the Undo controls' enabled states,
// and a history that outlives the palette window and ends with the sprite it was for.

#include "palette_edit_test_support.h"
#include "support/bmp_bytes.h"

namespace tessaloom {
namespace {

Color EditedColor(int index) { return MakeColor(static_cast<std::uint8_t>(index), 7, 7); }

class PaletteUndoTest : public PaletteEditTest {
 protected:
  void SetUp() override { OpenByDialog(WriteSprite("sprite.spr", TestSprite(2))); }
};

TEST_F(PaletteUndoTest, ElevenEditsThenElevenUndosRestoreTheLastTen) {
  SprPal& palette = ShowPaletteWindow();
  for (int i = 1; i <= 11; ++i) Edit(i, EditedColor(i));
  for (int i = 1; i <= 11; ++i) ASSERT_EQ(Entry(i), EditedColor(i)) << i;

  for (int i = 11; i >= 2; --i) {
    // The menu item and the toolbar button take turns.
    if (i % 2 == 0) Action("UndoPal")->trigger();
    else palette.UndoButton()->trigger();
    EXPECT_EQ(Entry(i), TestPaletteColor(i)) << i;
    EXPECT_EQ(Cell(i).CellColor(), TestPaletteColor(i)) << i;
    EXPECT_EQ(Entry(i - 1), EditedColor(i - 1)) << i;
    EXPECT_EQ(Action("UndoPal")->isEnabled(), i > 2) << i;
    EXPECT_EQ(palette.UndoButton()->isEnabled(), i > 2) << i;
  }
  // Nothing is left to undo: the first edit dropped out of the history.
  Action("UndoPal")->trigger();
  EXPECT_EQ(Entry(1), EditedColor(1));

  // The next edit enables both controls again.
  Edit(20, EditedColor(20));
  EXPECT_TRUE(Action("UndoPal")->isEnabled());
  EXPECT_TRUE(palette.UndoButton()->isEnabled());
}

TEST_F(PaletteUndoTest, TheHistoryOutlivesThePaletteWindow) {
  ShowPaletteWindow();
  Edit(3, EditedColor(3));
  Edit(4, EditedColor(4));
  ClosePaletteWindow();
  EXPECT_TRUE(Action("UndoPal")->isEnabled());

  Action("UndoPal")->trigger();
  EXPECT_EQ(Entry(4), TestPaletteColor(4));
  SprPal& palette = ShowPaletteWindow();
  EXPECT_TRUE(palette.UndoButton()->isEnabled());
  EXPECT_EQ(Cell(4).CellColor(), TestPaletteColor(4));
  palette.UndoButton()->trigger();
  EXPECT_EQ(Entry(3), TestPaletteColor(3));
  EXPECT_FALSE(palette.UndoButton()->isEnabled());
  EXPECT_FALSE(Action("UndoPal")->isEnabled());
}

TEST_F(PaletteUndoTest, OpeningOrAddingAFrameEmptiesTheHistory) {
  ShowPaletteWindow();
  Edit(5, EditedColor(5));
  OpenByDialog(WriteSprite("again.spr", TestSprite(2)));
  // The Undo item stays enabled, and finds nothing of the other sprite to undo.
  EXPECT_TRUE(Action("UndoPal")->isEnabled());
  Action("UndoPal")->trigger();
  EXPECT_EQ(m_session->Document().Header.Palette, TestPalette());

  Edit(6, EditedColor(6));
  BmpFields bitmap{.Width = 1, .Height = 1, .Table = GradientTable(256), .Rows = {{1}}};
  m_dialog.AnswerFile(WriteBytes("one.bmp", BuildBmp(bitmap)));
  Action("AddFrame")->trigger();
  Action("UndoPal")->trigger();
  EXPECT_EQ(Entry(6), EditedColor(6));
  EXPECT_EQ(Cell(6).CellColor(), EditedColor(6));
}

TEST_F(PaletteUndoTest, AnEntryThePaletteDoesNotHoldCannotBeEdited) {
  ShowPaletteWindow();
  Action("NewFile")->trigger();
  DoubleClick(2);  // no colour dialog is shown: nothing scripted
  EXPECT_TRUE(m_session->Document().Header.Palette.empty());
  EXPECT_FALSE(Action("UndoPal")->isEnabled());
}

}  // namespace
}  // namespace tessaloom
