// The CLI's editing commands end to end; the editing itself is checked in the core tests.

#include <gtest/gtest.h>

#include "cli/cli.h"
#include "cli_test_support.h"
#include "core/convert/converter_bmp.h"
#include "core/sprite/spr_writer.h"
#include "support/frame_builder.h"

using namespace tessaloom;

using CliEdit = CliTest;

TEST_F(CliEdit, SaveWritesTheSameBytes) {
  ASSERT_EQ(RunCli({"save", PathOf("hero.spr"), PathOf("out.spr")}).status, cli::kExitOk);
  EXPECT_EQ(FileBytes(m_dir / "out.spr"), FileBytes(m_dir / "hero.spr"));
}

// A bitmap the reader refuses, and --after missing, write nothing.
TEST_F(CliEdit, AddFrameInsertsTheBitmapAfterTheGivenFrame) {
  const SprFrame pose = FrameFromRows({{1, 1, 1, 1, 1}, {0, 1, 0, 1, 0}});
  ASSERT_TRUE(Converter_Bmp::WriteBmp(m_sprite.Header, pose, m_dir / "pose.bmp"));
  const auto addFrame = [&](const char* bitmap, std::vector<std::string> after) {
    std::vector<std::string> args{"add-frame", PathOf("hero.spr"), PathOf(bitmap), "-o", PathOf("out.spr")};
    args.insert(args.end(), after.begin(), after.end());
    return RunCli(args).status;
  };
  EXPECT_EQ(addFrame("hero.spr", {"--after", "1"}), cli::kExitBadInput);
  EXPECT_EQ(addFrame("pose.bmp", {}), cli::kExitUsage);
  EXPECT_FALSE(std::filesystem::exists(m_dir / "out.spr"));
  ASSERT_EQ(addFrame("pose.bmp", {"--after", "2"}), cli::kExitOk);
  EXPECT_EQ(Reload("out.spr").Frames[2].Pixels, pose.Pixels);
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
