// The CLI's editing commands end to end; the editing itself is checked in the core tests.

#include <gtest/gtest.h>

#include "cli/cli.h"
#include "cli_test_support.h"
#include "core/common/file_io.h"
#include "core/convert/converter_bmp.h"
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
  const SprFrame pose = FrameFromRows({{1, 1, 1, 1, 1}, {0, 1, 0, 1, 0}});
  ASSERT_TRUE(Converter_Bmp::WriteBmp(m_sprite.Header, pose, m_dir / "pose.bmp"));
  ASSERT_EQ(RunCli({"add-frame", PathOf("hero.spr"), PathOf("pose.bmp"), "--after", "2", "-o", PathOf("out.spr")}).status,
            cli::kExitOk);
  EXPECT_EQ(Reload("out.spr").Frames[2].Pixels, pose.Pixels);
}

TEST_F(CliEdit, AddFrameRefusesBadInputAndWritesNothing) {
  const BmpFields rgb{.Width = 2, .Height = 1, .BitsPerPixel = 24, .Rows = {{1, 2, 3, 4, 5, 6}}};
  ASSERT_TRUE(WriteFileAtomically(m_dir / "rgb.bmp", BuildBmp(rgb), "test"));
  const CliRun run = RunCli({"add-frame", PathOf("hero.spr"), PathOf("rgb.bmp"), "--after", "1", "-o", PathOf("out.spr")});
  EXPECT_EQ(run.status, cli::kExitBadInput);
  EXPECT_NE(run.err.find("No 8 bits bitmap format"), std::string::npos);
  EXPECT_EQ(RunCli({"add-frame", PathOf("hero.spr"), PathOf("rgb.bmp"), "-o", PathOf("out.spr")}).status,
            cli::kExitUsage);
  EXPECT_FALSE(std::filesystem::exists(m_dir / "out.spr"));
}

TEST_F(CliEdit, PaletteExportedAndImportedBack) {
  ASSERT_EQ(RunCli({"palette-export", PathOf("hero.spr"), PathOf("ms.pal"), "--riff"}).status, cli::kExitOk);
  SprDocument grey = m_sprite;
  grey.Header.Palette.assign(kPaletteBytes, 0x80);
  ASSERT_TRUE(Tool_Spr::SaveSprite(m_dir / "grey.spr", grey));
  ASSERT_EQ(RunCli({"palette-import", PathOf("grey.spr"), PathOf("ms.pal"), "--riff", "-o", PathOf("out.spr")}).status,
            cli::kExitOk);
  EXPECT_EQ(Reload("out.spr").Header.Palette, m_sprite.Header.Palette);
}
