// Palette files from both windows: the raw and RIFF forms chosen by the filter entry,
// their bytes, round trips, refusals and failures, and Reload Palette.

#include "palette/tool_pal.h"
#include "palette_edit_test_support.h"
#include "common/file_io.h"

namespace tessaloom {
namespace {

constexpr char kPaletteFilter[] = "Ragnarok Palette File |*.pal|Microsoft Palette File |*.pal";

class PaletteFilesTest : public PaletteEditTest {
 protected:
  void SetUp() override {
    m_sprite = TestSprite(1);
    // Entry 5: blue 0x10, green 0x20, red 0x30.
    m_sprite.Header.Palette[20] = 0x10;
    m_sprite.Header.Palette[21] = 0x20;
    m_sprite.Header.Palette[22] = 0x30;
    OpenByDialog(WriteSprite("sprite.spr", m_sprite));
  }

  QString ExportPalette(const QString& name, int filterIndex) {
    m_dialog.AnswerFile(PathOf(name), filterIndex);
    Action("ExportPal")->trigger();
    return PathOf(name);
  }

  void ImportPalette(const QString& path, int filterIndex) {
    m_dialog.AnswerFile(path, filterIndex);
    Action("ImportPal")->trigger();
  }

  static std::vector<std::uint8_t> FileBytes(const QString& path) {
    auto bytes = ReadWholeFile(path.toStdString(), "test");
    return bytes ? std::move(*bytes) : std::vector<std::uint8_t>{};
  }

  SprDocument m_sprite;
};

TEST_F(PaletteFilesTest, ExportWritesTheFormOfTheChosenEntry) {
  const std::vector<std::uint8_t> raw = FileBytes(ExportPalette("raw.pal", 1));
  EXPECT_EQ(m_dialog.Requests().back(),
            (DialogRequest{DialogRequest::Kind::Save, "Export Palette ....", kPaletteFilter, ""}));
  ASSERT_EQ(raw.size(), 1024u);
  EXPECT_EQ(std::vector<std::uint8_t>(raw.begin() + 20, raw.begin() + 24),
            (std::vector<std::uint8_t>{0x30, 0x20, 0x10, 0x00}));
  EXPECT_EQ(raw, Tool_Pal::SerializePalette(m_sprite.Header.Palette, Tool_Pal::PalForm::Raw));

  const std::vector<std::uint8_t> riff = FileBytes(ExportPalette("riff.pal", 2));
  ASSERT_EQ(riff.size(), 1048u);
  EXPECT_EQ(std::string(riff.begin(), riff.begin() + 4), "RIFF");
  EXPECT_EQ(std::vector<std::uint8_t>(riff.begin() + 44, riff.begin() + 48),
            (std::vector<std::uint8_t>{0x30, 0x20, 0x10, 0x00}));
  EXPECT_EQ(riff, Tool_Pal::SerializePalette(m_sprite.Header.Palette, Tool_Pal::PalForm::Riff));
  EXPECT_TRUE(m_messages.Shown().empty());
}

TEST_F(PaletteFilesTest, EachFormComesBackAsItWasWritten) {
  const QString raw = ExportPalette("raw.pal", 1);
  const QString riff = ExportPalette("riff.pal", 2);
  for (const auto& [path, entry] : {std::pair{raw, 1}, std::pair{riff, 2}}) {
    ImportPalette(PathOf("other.pal"), 1);  // a missing file: reported, nothing changes
    m_session->ReplacePalette(TestSprite(0).Header.Palette);
    ImportPalette(path, entry);
    EXPECT_EQ(m_session->Document().Header.Palette, m_sprite.Header.Palette) << entry;
  }
  EXPECT_EQ(m_dialog.Requests().back(),
            (DialogRequest{DialogRequest::Kind::Open, "Import Palette ....", kPaletteFilter, ""}));
  ASSERT_EQ(m_messages.Shown().size(), 2u);
  EXPECT_EQ(m_messages.Shown()[0].Title, "Palette error");
  EXPECT_TRUE(m_messages.Shown()[0].Text.contains("other.pal")) << m_messages.Shown()[0].Text.toStdString();
}

TEST_F(PaletteFilesTest, AnImportRefillsTheCellsAndRedraws) {
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
  EXPECT_TRUE(m_messages.Shown().empty());
}

TEST_F(PaletteFilesTest, ARawFileReadAsRiffLosesItsFirstSixEntries) {
  const QString raw = ExportPalette("raw.pal", 1);
  ImportPalette(raw, 2);
  const std::vector<std::uint8_t>& palette = m_session->Document().Header.Palette;
  ASSERT_EQ(palette.size(), 1000u);
  EXPECT_TRUE(std::equal(palette.begin(), palette.end(), m_sprite.Header.Palette.begin() + 24));
  // The palette display reports the short palette, as for any palette of less than 256 entries.
  ASSERT_EQ(m_messages.Shown().size(), 1u);
  EXPECT_EQ(m_messages.Shown()[0].Title, "Palettte not found");
}

TEST_F(PaletteFilesTest, AnEmptyFileCannotEmptyAPalette) {
  ImportPalette(WriteBytes("empty.pal", {}), 1);
  ASSERT_EQ(m_messages.Shown().size(), 1u);
  EXPECT_EQ(m_messages.Shown()[0].Text, "This palette cannot be loaded");
  EXPECT_EQ(m_messages.Shown()[0].Title, "Palettte failed to load");
  EXPECT_EQ(m_messages.Shown()[0].Icon, MessageIcon::Information);
  EXPECT_EQ(m_session->Document().Header.Palette, m_sprite.Header.Palette);

  m_dialog.AnswerCancel();
  Action("ImportPal")->trigger();
  EXPECT_EQ(m_messages.Shown().size(), 1u);
}

TEST_F(PaletteFilesTest, AFailedExportIsReportedFromEitherWindow) {
  ExportPalette("missing/a.pal", 1);
  SprPal& palette = ShowPaletteWindow();
  m_dialog.AnswerFile(PathOf("missing/b.pal"), 2);
  palette.ExportButton()->trigger();
  ASSERT_EQ(m_messages.Shown().size(), 2u);
  for (const Message& message : m_messages.Shown()) EXPECT_EQ(message.Title, "Palette error");
  EXPECT_EQ(TempDir::ListNames(m_dir.Path()), (std::vector<std::string>{"settings.ini", "sprite.spr"}));
}

TEST_F(PaletteFilesTest, ReloadPaletteRefillsTheCells) {
  ShowPaletteWindow();
  Cell(7).SetCellColor(MakeColor(1, 1, 1));
  Action("ReloadPal")->trigger();
  EXPECT_EQ(Cell(7).CellColor(), TestPaletteColor(7));
}

}  // namespace
}  // namespace tessaloom
