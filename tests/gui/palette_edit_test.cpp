// The palette window's cells: selection with its border and its highlight on the
// canvas, colour edits through the colour dialog, the info panels, and the undo of
// the last ten edits with the Undo controls' states.

#include <QLabel>
#include <QStatusBar>
#include <QToolBar>

#include "core/convert/converter_bmp.h"
#include "core/palette/tool_pal.h"
#include "palette_edit_test_support.h"
#include "core/sprite/spr_reader.h"
#include "support/bmp_bytes.h"

namespace tessaloom {
namespace {

Color EditedColor(int index) { return MakeColor(static_cast<std::uint8_t>(index), 7, 7); }

class PaletteCellsTest : public PaletteEditTest {
 protected:
  void SetUp() override {
    // Three pixels of index 9, two of index 7, one of index 1.
    SprDocument sprite = TestSprite(0);
    sprite.Frames = {FrameFromRows({{7, 9, 7}, {9, 9, 1}})};
    sprite.Header.FrameCount = 1;
    OpenByDialog(WriteSprite("sprite.spr", sprite));
  }

  QString InfoText(int panel) const {
    const auto* bar = m_window->PaletteWindow()->findChild<QStatusBar*>(QStringLiteral("PalInfo"));
    return bar->findChild<QLabel*>(QStringLiteral("PalInfoPanel%1").arg(panel))->text();
  }

  bool UndoEnabled() const {
    const bool enabled = Action("UndoPal")->isEnabled();
    if (m_window->PaletteWindow()) {
      EXPECT_EQ(m_window->PaletteWindow()->UndoButton()->isEnabled(), enabled);
    }
    return enabled;
  }
};

TEST_F(PaletteCellsTest, TheWindowHasItsToolbarAndInfoPanels) {
  SprPal& palette = ShowPaletteWindow();
  QStringList keys;
  QStringList toolTips;
  for (const QAction* button : palette.findChild<QToolBar*>(QStringLiteral("PalTool"))->actions()) {
    keys << (button->isSeparator() ? QStringLiteral("-") : button->data().toString());
    toolTips << button->toolTip();
  }
  EXPECT_EQ(keys, QStringList({"Import", "Export", "-", "Undo"}));
  EXPECT_EQ(toolTips, QStringList({"Import Palette", "Export Palette", "", "Undo palette change"}));
  EXPECT_FALSE(UndoEnabled());
  EXPECT_EQ(InfoText(1), "RGB: 255, 255, 255");
  EXPECT_EQ(InfoText(2), "Index: 255");
  Click(12);
  EXPECT_EQ(InfoText(1), "RGB:  12, 243, 188");
  EXPECT_EQ(InfoText(2), "Index: 12");
}

TEST_F(PaletteCellsTest, AClickBordersTheCellAndHighlightsItsPixelsOnTheCanvasOnly) {
  ShowPaletteWindow();
  Click(7);
  EXPECT_TRUE(Cell(7).Bordered());
  EXPECT_EQ(CanvasCount(Exchanged(TestPaletteColor(7))), 2);

  Click(9);
  EXPECT_TRUE(Cell(9).Bordered());
  EXPECT_FALSE(Cell(7).Bordered());
  EXPECT_EQ(CanvasCount(TestPaletteColor(7)), 2);
  EXPECT_EQ(CanvasCount(Exchanged(TestPaletteColor(9))), 3);
  EXPECT_EQ(CanvasCount(TestPaletteColor(1)), 1);
  // The palette and the cells keep the true colours.
  EXPECT_EQ(m_session->Document().Header.Palette, TestPalette());
  EXPECT_EQ(Cell(9).CellColor(), TestPaletteColor(9));

  // Clicking the selected cell again takes its border away; the highlight stays.
  Click(9);
  EXPECT_FALSE(Cell(9).Bordered());
  EXPECT_EQ(CanvasCount(Exchanged(TestPaletteColor(9))), 3);
}

TEST_F(PaletteCellsTest, WhatIsWrittenNeverHoldsTheHighlight) {
  ShowPaletteWindow();
  Click(9);
  m_dialog.AnswerFile(PathOf("saved.spr"));
  Action("Save")->trigger();
  m_dialog.AnswerFile(PathOf("palette.pal"), 1);
  Action("ExportPal")->trigger();
  m_dialog.AnswerFile(PathOf("frame.bmp"), 1);
  Action("ExportFrame")->trigger();

  auto saved = Tool_Spr::LoadSprite(PathOf("saved.spr").toStdString());
  ASSERT_TRUE(saved.has_value());
  EXPECT_EQ(saved->Document.Header.Palette, TestPalette());
  EXPECT_EQ(Tool_Pal::ImportPalette(PathOf("palette.pal").toStdString(), Tool_Pal::PalForm::Raw).value(),
            TestPalette());
  EXPECT_EQ(Converter_Bmp::ReadBmp(PathOf("frame.bmp").toStdString()).value().ColorTable, TestPalette());
  EXPECT_TRUE(m_messages.Shown().empty());
}

TEST_F(PaletteCellsTest, ADoubleClickWritesTheChosenColourAsTheTrueColour) {
  ShowPaletteWindow();
  // A cancelled colour dialog changes nothing and records no undo.
  m_dialog.AnswerCancel();
  DoubleClick(4);
  EXPECT_EQ(m_session->Document().Header.Palette, TestPalette());
  EXPECT_EQ(Cell(4).CellColor(), TestPaletteColor(4));
  EXPECT_FALSE(UndoEnabled());

  const Color chosen = MakeColor(10, 20, 30);
  Edit(9, chosen);
  EXPECT_EQ(m_dialog.Requests().back().kind, DialogRequest::Kind::ColorPicker);
  EXPECT_EQ(Entry(9), chosen);
  EXPECT_EQ(Cell(9).CellColor(), chosen);
  EXPECT_EQ(Cell(9).toolTip(), " 9, 246, 77") << "the tooltip waits for the next LoadPalette";
  // The edited entry shows its new colour as it is until the next selection.
  EXPECT_EQ(CanvasCount(chosen), 3);
  Click(9);
  EXPECT_EQ(CanvasCount(Exchanged(chosen)), 3);
  EXPECT_EQ(Entry(9), chosen);
  EXPECT_TRUE(UndoEnabled());
}

TEST_F(PaletteCellsTest, EditingEntryZeroRecoloursTheCanvasBackgroundAndUndoLeavesIt) {
  ShowPaletteWindow();
  const Color chosen = MakeColor(200, 100, 50);
  Edit(0, chosen);
  EXPECT_EQ(Entry(0), chosen);
  EXPECT_EQ(m_session->BackgroundColor(), chosen);
  EXPECT_EQ(CanvasPixel(0, 0), ToArgb(chosen));

  Action("UndoPal")->trigger();
  EXPECT_EQ(Entry(0), TestPaletteColor(0));
  EXPECT_EQ(Cell(0).CellColor(), TestPaletteColor(0));
  EXPECT_EQ(m_session->BackgroundColor(), chosen);
  EXPECT_EQ(CanvasPixel(0, 0), ToArgb(chosen));
}

TEST_F(PaletteCellsTest, TheHighlightFollowsTheSelectedIndexIntoANewPalette) {
  ShowPaletteWindow();
  Click(9);
  SprDocument other = TestSprite(0);
  other.Frames = {FrameFromRows({{9, 9}})};
  other.Header.FrameCount = 1;
  const Color newNine = MakeColor(1, 2, 3);
  other.Header.Palette[36] = BlueOf(newNine);
  other.Header.Palette[37] = GreenOf(newNine);
  other.Header.Palette[38] = RedOf(newNine);
  OpenByDialog(WriteSprite("other.spr", other));
  EXPECT_EQ(m_session->Document().Header.Palette, other.Header.Palette);
  EXPECT_EQ(CanvasCount(Exchanged(newNine)), 2);

  // Closing the window ends the selection, and with it the highlight.
  ClosePaletteWindow();
  EXPECT_EQ(CanvasCount(newNine), 2);
  ShowPaletteWindow();
  EXPECT_FALSE(Cell(9).Bordered());
}

TEST_F(PaletteCellsTest, ElevenEditsThenElevenUndosRestoreTheLastTen) {
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
    EXPECT_EQ(UndoEnabled(), i > 2) << i;
  }
  // Nothing is left to undo: the first edit dropped out of the history.
  Action("UndoPal")->trigger();
  EXPECT_EQ(Entry(1), EditedColor(1));
  Edit(20, EditedColor(20));
  EXPECT_TRUE(UndoEnabled());
}

TEST_F(PaletteCellsTest, TheHistoryOutlivesThePaletteWindow) {
  ShowPaletteWindow();
  Edit(3, EditedColor(3));
  Edit(4, EditedColor(4));
  ClosePaletteWindow();
  EXPECT_TRUE(UndoEnabled());
  Action("UndoPal")->trigger();
  EXPECT_EQ(Entry(4), TestPaletteColor(4));

  SprPal& palette = ShowPaletteWindow();
  EXPECT_TRUE(UndoEnabled());
  EXPECT_EQ(Cell(4).CellColor(), TestPaletteColor(4));
  palette.UndoButton()->trigger();
  EXPECT_EQ(Entry(3), TestPaletteColor(3));
  EXPECT_FALSE(UndoEnabled());
}

TEST_F(PaletteCellsTest, OpeningOrAddingAFrameEmptiesTheHistory) {
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

  // An entry the palette does not hold cannot be edited: no colour dialog is shown.
  Action("NewFile")->trigger();
  DoubleClick(2);
  EXPECT_TRUE(m_session->Document().Header.Palette.empty());
}

}  // namespace
}  // namespace tessaloom
