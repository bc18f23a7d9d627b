// The palette window: its cells, showing and closing it, the selection and its
// highlight on the canvas, edits through the colour dialog with their undo, and the
// palette files of both windows.

#include <QApplication>
#include <QLabel>
#include <QStatusBar>
#include <QTest>

#include "core/common/file_io.h"
#include "core/palette/tool_pal.h"
#include "gui/state/status_texts.h"
#include "window_fixture.h"

namespace tessaloom {
namespace {

class PaletteTest : public WindowTest {
 protected:
  // Three pixels of index 9, two of index 7, one of index 1.
  void SetUp() override { OpenByDialog(WriteSprite("sprite.spr", SpriteOf({FrameFromRows({{7, 9, 7}, {9, 9, 1}})}))); }
  // The palette window shown and active, so that a click gives a cell the focus.
  PaletteWindow& ShowPalette() {
    if (!m_window->Palette() || !m_window->Palette()->isVisible()) Trigger("ViewPaletteM");
    PaletteWindow& palette = *m_window->Palette();
    palette.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&palette));
    return palette;
  }
  void Click(int index) { QTest::mouseClick(&Cell(index), Qt::LeftButton); }
  // A double click arrives as a click, then the double click itself.
  void DoubleClick(int index) {
    Click(index);
    QTest::mouseDClick(&Cell(index), Qt::LeftButton);
  }
  Color Entry(int index) const { return Tool_Spr::PaletteColor(Sprite().Header.Palette, static_cast<std::uint8_t>(index)); }
  void Edit(int index, Color color) {
    m_dialog.AnswerColor(color);
    DoubleClick(index);
  }
  // The Undo item, and the window's Undo button when there is a window.
  QStringList UndoEnabled() const {
    QStringList enabled = Enabled({"UndoPal"});
    if (m_window->Palette() && m_window->Palette()->UndoButton()->isEnabled()) enabled << "Undo";
    return enabled;
  }
  void CloseWindow() {
    m_window->Palette()->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
};

TEST_F(PaletteTest, AClickHighlightsTheEntryAndAnEditWritesTheChosenColourUntilUndone) {
  PaletteWindow& palette = ShowPalette();
  EXPECT_EQ(Action("ViewPalette")->text(), "Hide Palette");
  Click(7);
  Click(9);
  EXPECT_EQ(palette.statusBar()->findChild<QLabel*>("PalInfoPanel2")->text(), "Index: 9");
  EXPECT_TRUE(Cell(9).Bordered());
  // The highlight shows the entry with its red and blue exchanged.
  EXPECT_EQ(CanvasCount(MakeColor(BlueOf(TestColor(9)), GreenOf(TestColor(9)), RedOf(TestColor(9)))), 3);
  EXPECT_EQ(Sprite().Header.Palette, TestPalette()) << "only the drawing sees the highlight";
  m_dialog.AnswerCancel();
  DoubleClick(4);
  EXPECT_EQ(UndoEnabled(), QStringList{});

  Edit(9, MakeColor(10, 20, 30));
  EXPECT_EQ(Entry(9), MakeColor(10, 20, 30));
  EXPECT_EQ(Cell(9).CellColor(), MakeColor(10, 20, 30));
  EXPECT_EQ(CanvasCount(MakeColor(10, 20, 30)), 3) << "shown as it is until the next selection";
  EXPECT_EQ(UndoEnabled(), (QStringList{"UndoPal", "Undo"}));
  m_window->Palette()->UndoButton()->trigger();
  EXPECT_EQ(Cell(9).CellColor(), TestColor(9));
  EXPECT_EQ(UndoEnabled(), QStringList{});
  Trigger("Palette");
  EXPECT_FALSE(palette.isVisible());
  // Closing the window ends the highlight.
  ShowPalette();
  Click(9);
  CloseWindow();
  EXPECT_EQ(CanvasCount(TestColor(9)), 3);
  EXPECT_FALSE(Action("Palette")->isChecked());
}

// OK at once keeps the entry; the edited colour, and the undone one, show everywhere.
TEST_F(PaletteTest, TheColourDialogStartsOnTheEntryAndItsEditShowsInTheTooltipAndPanels) {
  PaletteWindow& palette = ShowPalette();
  EXPECT_FALSE(m_session->Document().Modified());
  Edit(9, MakeColor(10, 20, 30));
  Edit(9, MakeColor(40, 50, 60));
  EXPECT_EQ(m_dialog.ColorStarts(), (std::vector<Color>{TestColor(9), MakeColor(10, 20, 30)}));
  EXPECT_TRUE(m_session->Document().Modified());
  Trigger("UndoPal");
  const QString rgb = PaletteToolTip(MakeColor(10, 20, 30));
  EXPECT_EQ(Cell(9).toolTip(), rgb);
  EXPECT_EQ(palette.statusBar()->findChild<QLabel*>("PalInfoPanel1")->text(), "RGB: " + rgb);
  EXPECT_EQ(palette.statusBar()->findChild<QLabel*>("PalInfoPanel2")->text(), "Index: 9");
}

TEST_F(PaletteTest, TheHistoryKeepsTenEditsOutlivesTheWindowAndEndsWithTheSprite) {
  ShowPalette();
  for (int i = 1; i <= 11; ++i) Edit(i, MakeColor(static_cast<std::uint8_t>(i), 7, 7));
  CloseWindow();
  for (int i = 0; i < 11; ++i) Trigger("UndoPal");
  EXPECT_EQ(Entry(2), TestColor(2));
  EXPECT_EQ(Entry(1), MakeColor(1, 7, 7)) << "the first edit dropped out";

  ShowPalette();
  Edit(5, MakeColor(5, 7, 7));
  Answer("AddFrame", WriteBitmap("one.bmp", {{1}}));
  EXPECT_EQ(UndoEnabled(), (QStringList{"UndoPal", "Undo"})) << "enabled, with nothing left to undo";
  Trigger("UndoPal");
  EXPECT_EQ(Entry(5), MakeColor(5, 7, 7));
}

TEST_F(PaletteTest, EachFileFormIsWrittenByItsEntryAndReadBackByItsContentFromEitherWindow) {
  for (const int entry : {1, 2}) {
    const QString path = PathOf(QStringLiteral("palette%1.pal").arg(entry));
    Answer("ExportPal", path, entry);
    EXPECT_EQ(ReadWholeFile(path.toStdString(), "test").value(),
              Tool_Pal::SerializePalette(TestPalette(), static_cast<Tool_Pal::PalForm>(entry)));
    m_session->Document().ReplacePalette(std::vector<std::uint8_t>(1024, 0));
    Answer("ImportPal", path, 3 - entry);  // the content tells the form, not the entry
    EXPECT_EQ(Sprite().Header.Palette, TestPalette());
    EXPECT_EQ(Cell(5).CellColor(), TestColor(5));
  }
  PaletteWindow& palette = ShowPalette();
  m_dialog.AnswerFile(PathOf("missing/a.pal"), 2);
  palette.ExportButton()->trigger();
  EXPECT_TRUE(LastMessage(1, "Palette error", "a.pal"));
  m_dialog.AnswerFile(WriteBytes("empty.pal", {}), 1);
  palette.ImportButton()->trigger();
  EXPECT_TRUE(LastMessage(2, "Palettte failed to load", "This palette cannot be loaded", MessageIcon::Information));
  EXPECT_EQ(Sprite().Header.Palette, TestPalette());
}

TEST_F(PaletteTest, ReloadRefillsTheCellsAndShortPalettesAreReported) {
  Cell(7).SetCellColor(MakeColor(1, 1, 1));
  Trigger("ReloadPal");
  EXPECT_EQ(Cell(7).CellColor(), TestColor(7));
  m_session->Document().ReplacePalette(std::vector<std::uint8_t>(1000, 0));
  Trigger("ReloadPal");
  EXPECT_TRUE(LastMessage(1, "Palettte not found", "This file has not a palette"));
  Trigger("NewFile");
  ShowPalette();
  DoubleClick(2);  // an entry the palette does not hold is not edited: no colour dialog
}

}  // namespace
}  // namespace tessaloom
