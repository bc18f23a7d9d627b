// The CLI's editing commands end to end; the editing itself is checked in the core tests.

#include <gtest/gtest.h>

#include "cli/cli.h"
#include "cli_test_support.h"
#include "core/common/file_io.h"
#include "core/convert/converter_bmp.h"
#include "core/palette/tool_pal.h"
#include "core/sprite/spr_writer.h"
#include "support/bmp_bytes.h"
#include "support/frame_builder.h"

using namespace tessaloom;

using CliEdit = CliTest;

TEST_F(CliEdit, SaveWritesTheSameBytes) {
  ASSERT_EQ(RunCli({"save", PathOf("hero.spr"), PathOf("out.spr")}).status, cli::kExitOk);
  EXPECT_EQ(FileBytes(m_dir / "out.spr"), FileBytes(m_dir / "hero.spr"));
}

TEST_F(CliEdit, AddFrameInsertsTheBitmapAfterTheGivenFrame) {
  SprHeader otherPalette;
  otherPalette.Palette = PaletteOf({MakeColor(1, 2, 3), MakeColor(4, 5, 6)});
  const SprFrame pose = FrameFromRows({{1, 1, 1, 1, 1}, {0, 1, 0, 1, 0}});
  ASSERT_TRUE(Converter_Bmp::WriteBmp(otherPalette, pose, m_dir / "pose.bmp"));
  ASSERT_EQ(RunCli({"add-frame", PathOf("hero.spr"), PathOf("pose.bmp"), "--after", "2", "-o", PathOf("out.spr")}).status,
            cli::kExitOk);
  const SprDocument result = Reload("out.spr");
  ASSERT_EQ(result.Header.FrameCount, 4);
  EXPECT_EQ(result.Frames[2].Pixels, pose.Pixels);
  EXPECT_EQ(result.Frames[2].Width, 5);
  EXPECT_EQ(result.Frames[3].Pixels, m_sprite.Frames[2].Pixels);
  EXPECT_EQ(result.Header.Palette, m_sprite.Header.Palette);  // the sprite keeps its palette

  // An empty sprite takes the frame after 0.
  SprDocument empty;
  empty.Header.Palette.assign(kPaletteBytes, 0);
  ASSERT_TRUE(Tool_Spr::SaveSprite(m_dir / "empty.spr", empty));
  ASSERT_EQ(RunCli({"add-frame", PathOf("empty.spr"), PathOf("pose.bmp"), "--after", "0", "-o", PathOf("one.spr")}).status,
            cli::kExitOk);
  EXPECT_EQ(Reload("one.spr").Header.FrameCount, 1);
}

TEST_F(CliEdit, AddFrameRefusesA24BitBitmapAndWritesNothing) {
  const BmpFields rgb{.Width = 2, .Height = 1, .BitsPerPixel = 24, .Rows = {{1, 2, 3, 4, 5, 6}}};
  ASSERT_TRUE(WriteFileAtomically(m_dir / "rgb.bmp", BuildBmp(rgb), "test"));
  const CliRun run = RunCli({"add-frame", PathOf("hero.spr"), PathOf("rgb.bmp"), "--after", "1", "-o", PathOf("out.spr")});
  EXPECT_EQ(run.status, cli::kExitBadInput);
  EXPECT_NE(run.err.find("No 8 bits bitmap format"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(m_dir / "out.spr"));
}

TEST_F(CliEdit, PaletteExportsBothFormsAndImportsThemBack) {
  ASSERT_EQ(RunCli({"palette-export", PathOf("hero.spr"), PathOf("raw.pal")}).status, cli::kExitOk);
  ASSERT_EQ(RunCli({"palette-export", PathOf("hero.spr"), PathOf("ms.pal"), "--riff"}).status, cli::kExitOk);
  EXPECT_EQ(FileBytes(m_dir / "raw.pal"), Tool_Pal::SerializePalette(m_sprite.Header.Palette, Tool_Pal::PalForm::Raw));
  EXPECT_EQ(FileBytes(m_dir / "ms.pal"), Tool_Pal::SerializePalette(m_sprite.Header.Palette, Tool_Pal::PalForm::Riff));

  SprDocument grey = m_sprite;
  grey.Header.Palette.assign(kPaletteBytes, 0x80);
  ASSERT_TRUE(Tool_Spr::SaveSprite(m_dir / "grey.spr", grey));
  ASSERT_EQ(RunCli({"palette-import", PathOf("grey.spr"), PathOf("ms.pal"), "--riff", "-o", PathOf("out.spr")}).status,
            cli::kExitOk);
  EXPECT_EQ(Reload("out.spr").Header.Palette, m_sprite.Header.Palette);
}

TEST_F(CliEdit, PaletteImportRefusesAnEmptyPaletteFile) {
  ASSERT_TRUE(WriteFileAtomically(m_dir / "empty.pal", std::vector<std::uint8_t>{}, "test"));
  const CliRun run = RunCli({"palette-import", PathOf("hero.spr"), PathOf("empty.pal"), "-o", PathOf("out.spr")});
  EXPECT_EQ(run.status, cli::kExitBadInput);
  EXPECT_NE(run.err.find("This palette cannot be loaded"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(m_dir / "out.spr"));
}
