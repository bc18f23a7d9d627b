// Palette files from both windows: the raw and RIFF forms chosen by the filter entry
// (their bytes are the core's own tests' business), round trips, refusals and
// failures, and Reload Palette.

#include "core/common/file_io.h"
#include "core/palette/tool_pal.h"
#include "palette_edit_test_support.h"

namespace tessaloom {
namespace {

constexpr char kPaletteFilter[] = "Ragnarok Palette File |*.pal|Microsoft Palette File |*.pal";

class PaletteFilesTest : public PaletteEditTest {
 protected:
  void SetUp() override { OpenByDialog(WriteSprite("sprite.spr", TestSprite(1))); }

  QString ExportPalette(const QString& name, int filterIndex) {
    m_dialog.AnswerFile(PathOf(name), filterIndex);
    Action("ExportPal")->trigger();
    return PathOf(name);
  }

  void ImportPalette(const QString& path, int filterIndex) {
    m_dialog.AnswerFile(path, filterIndex);
    Action("ImportPal")->trigger();
  }

  const std::vector<std::uint8_t>& Palette() const { return m_session->Document().Header.Palette; }
};

TEST_F(PaletteFilesTest, EachFormIsWrittenByTheEntryChosenAndComesBackAsItWas) {
  const QString raw = ExportPalette("raw.pal", 1);
  EXPECT_EQ(m_dialog.Requests().back(),
            (DialogRequest{DialogRequest::Kind::Save, "Export Palette ....", kPaletteFilter, ""}));
  const QString riff = ExportPalette("riff.pal", 2);
  const std::vector<std::uint8_t> rawBytes = ReadWholeFile(raw.toStdString(), "test").value();
  const std::vector<std::uint8_t> riffBytes = ReadWholeFile(riff.toStdString(), "test").value();
  EXPECT_EQ(rawBytes, Tool_Pal::SerializePalette(TestPalette(), Tool_Pal::PalForm::Raw));
  EXPECT_EQ(riffBytes, Tool_Pal::SerializePalette(TestPalette(), Tool_Pal::PalForm::Riff));
  // Entry 5 (red 5, green 250, blue 185) at offset 20 of the raw form, 44 of the RIFF one.
  const std::vector<std::uint8_t> entry5{5, 250, 185, 0};
  EXPECT_EQ(std::vector<std::uint8_t>(rawBytes.begin() + 20, rawBytes.begin() + 24), entry5);
  EXPECT_EQ(std::vector<std::uint8_t>(riffBytes.begin() + 44, riffBytes.begin() + 48), entry5);

  for (const auto& [path, entry] : {std::pair{raw, 1}, std::pair{riff, 2}}) {
    ImportPalette(PathOf("other.pal"), 1);  // a missing file: reported, nothing changes
    m_session->ReplacePalette(std::vector<std::uint8_t>(1024, 0));
    ImportPalette(path, entry);
    EXPECT_EQ(Palette(), TestPalette()) << entry;
  }
  EXPECT_EQ(m_dialog.Requests().back(),
            (DialogRequest{DialogRequest::Kind::Open, "Import Palette ....", kPaletteFilter, ""}));
  EXPECT_TRUE(LastMessage(2, "Palette error", "other.pal"));
}

TEST_F(PaletteFilesTest, AnImportFromThePaletteWindowRefillsTheCellsAndRedraws) {
  ShowPaletteWindow();
  std::vector<std::uint8_t> file(1024, 0);
  file[4] = 11;  // entry 1: red 11, green 22, blue 33
  file[5] = 22;
  file[6] = 33;
  m_dialog.AnswerFile(WriteBytes("new.pal", file), 1);
  m_window->PaletteWindow()->ImportButton()->trigger();
  EXPECT_EQ(Entry(1), MakeColor(11, 22, 33));
  EXPECT_EQ(Cell(1).CellColor(), MakeColor(11, 22, 33));
  EXPECT_EQ(Cell(1).toolTip(), " 11, 22, 33");
  EXPECT_EQ(CanvasCount(MakeColor(11, 22, 33)), 6);

  Cell(7).SetCellColor(MakeColor(1, 1, 1));
  Action("ReloadPal")->trigger();
  EXPECT_EQ(Cell(7).CellColor(), MakeColor(0, 0, 0));
  EXPECT_TRUE(m_messages.Shown().empty());
}

TEST_F(PaletteFilesTest, ARawFileReadAsRiffLosesItsFirstSixEntries) {
  ImportPalette(ExportPalette("raw.pal", 1), 2);
  ASSERT_EQ(Palette().size(), 1000u);
  EXPECT_TRUE(std::equal(Palette().begin(), Palette().end(), TestPalette().begin() + 24));
  // The palette display reports the short palette, as for any palette of less than 256 entries.
  EXPECT_TRUE(LastMessage(1, "Palettte not found"));
}

TEST_F(PaletteFilesTest, AnEmptyFileCannotEmptyAPalette) {
  m_dialog.AnswerCancel();
  Action("ImportPal")->trigger();
  ImportPalette(WriteBytes("empty.pal", {}), 1);
  EXPECT_EQ(m_messages.Shown().size(), 1u);
  EXPECT_EQ(ShownMessage(0), (Message{.Text = "This palette cannot be loaded",
                                      .Title = "Palettte failed to load",
                                      .Icon = MessageIcon::Information}));
  EXPECT_EQ(Palette(), TestPalette());
}

TEST_F(PaletteFilesTest, AFailedExportIsReportedFromEitherWindow) {
  ExportPalette("missing/a.pal", 1);
  SprPal& palette = ShowPaletteWindow();
  m_dialog.AnswerFile(PathOf("missing/b.pal"), 2);
  palette.ExportButton()->trigger();
  EXPECT_TRUE(LastMessage(2, "Palette error"));
  EXPECT_EQ(m_messages.Shown()[0].Title, "Palette error");
  EXPECT_EQ(TempDir::ListNames(m_dir.Path()), (std::vector<std::string>{"settings.ini", "sprite.spr"}));
}

}  // namespace
}  // namespace tessaloom
