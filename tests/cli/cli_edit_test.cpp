#include <gtest/gtest.h>

#include "cli.h"
#include "cli_test_support.h"
#include "common/file_io.h"
#include "convert/converter_bmp.h"
#include "palette/tool_pal.h"
#include "sprite/spr_reader.h"
#include "sprite/spr_writer.h"
#include "support/bmp_bytes.h"
#include "support/frame_builder.h"
#include "support/temp_dir.h"

using namespace tessaloom;

namespace {

SprDocument Reload(const std::filesystem::path& path) {
  auto loaded = Tool_Spr::LoadSprite(path);
  EXPECT_TRUE(loaded) << (loaded ? "" : loaded.error().text);
  return loaded ? loaded->Document : SprDocument{};
}

}  // namespace

TEST(CliSave, WritesASpriteThatReadsBackTheSame) {
  TempDir dir;
  const SprDocument sprite = ThreeFrameSprite();
  ASSERT_TRUE(Tool_Spr::SaveSprite(dir / "in.spr", sprite));
  ASSERT_EQ(RunCli({"save", (dir / "in.spr").string(), (dir / "out.spr").string()}).status, cli::kExitOk);
  EXPECT_EQ(FileBytes(dir / "out.spr"), FileBytes(dir / "in.spr"));
  EXPECT_EQ(Reload(dir / "out.spr"), Reload(dir / "in.spr"));
}

TEST(CliAddFrame, InsertsTheBitmapAfterTheGivenFrame) {
  TempDir dir;
  SprDocument sprite = ThreeFrameSprite();
  ASSERT_TRUE(Tool_Spr::SaveSprite(dir / "in.spr", sprite));
  SprHeader otherPalette;
  otherPalette.Palette = PaletteOf({MakeColor(1, 2, 3), MakeColor(4, 5, 6)});
  const SprFrame pose = FrameFromRows({{1, 1, 1, 1, 1}, {0, 1, 0, 1, 0}});
  ASSERT_TRUE(Converter_Bmp::WriteBmp(otherPalette, pose, dir / "pose.bmp"));

  ASSERT_EQ(RunCli({"add-frame", (dir / "in.spr").string(), (dir / "pose.bmp").string(), "--after", "2", "-o",
                    (dir / "out.spr").string()})
                .status,
            cli::kExitOk);
  const SprDocument result = Reload(dir / "out.spr");
  ASSERT_EQ(result.Header.FrameCount, 4);
  EXPECT_EQ(result.Frames[2].Pixels, pose.Pixels);
  EXPECT_EQ(result.Frames[2].Width, 5);
  EXPECT_EQ(result.Frames[3].Pixels, sprite.Frames[2].Pixels);
  EXPECT_EQ(result.Header.Palette, sprite.Header.Palette);  // the sprite keeps its palette
}

TEST(CliAddFrame, AnEmptySpriteTakesTheBitmapsColourTable) {
  TempDir dir;
  SprDocument empty;
  empty.Header.Palette.assign(kPaletteBytes, 0);
  ASSERT_TRUE(Tool_Spr::SaveSprite(dir / "empty.spr", empty));
  // A saved sprite always has a palette; an in-memory one without is what New makes.
  SprHeader colours;
  colours.Palette = PaletteOf({MakeColor(9, 8, 7), MakeColor(6, 5, 4)});
  ASSERT_TRUE(Converter_Bmp::WriteBmp(colours, FrameFromRows({{1, 0}}), dir / "one.bmp"));
  ASSERT_EQ(RunCli({"add-frame", (dir / "empty.spr").string(), (dir / "one.bmp").string(), "--after", "0", "-o",
                    (dir / "out.spr").string()})
                .status,
            cli::kExitOk);
  const SprDocument result = Reload(dir / "out.spr");
  EXPECT_EQ(result.Header.FrameCount, 1);
  EXPECT_EQ(result.Header.Palette, empty.Header.Palette);
}

TEST(CliAddFrame, RefusesA24BitBitmapAndWritesNothing) {
  TempDir dir;
  ASSERT_TRUE(Tool_Spr::SaveSprite(dir / "in.spr", ThreeFrameSprite()));
  const BmpFields rgb{.Width = 2, .Height = 1, .BitsPerPixel = 24, .Rows = {{1, 2, 3, 4, 5, 6}}};
  ASSERT_TRUE(WriteFileAtomically(dir / "rgb.bmp", BuildBmp(rgb), "test"));
  const CliRun run = RunCli({"add-frame", (dir / "in.spr").string(), (dir / "rgb.bmp").string(), "--after", "1",
                             "-o", (dir / "out.spr").string()});
  EXPECT_EQ(run.status, cli::kExitBadInput);
  EXPECT_NE(run.err.find("No 8 bits bitmap format"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir / "out.spr"));
}

TEST(CliPalette, ExportsBothFormsAndImportsThemBack) {
  TempDir dir;
  const SprDocument sprite = ThreeFrameSprite();
  ASSERT_TRUE(Tool_Spr::SaveSprite(dir / "in.spr", sprite));
  ASSERT_EQ(RunCli({"palette-export", (dir / "in.spr").string(), (dir / "raw.pal").string()}).status, cli::kExitOk);
  ASSERT_EQ(RunCli({"palette-export", (dir / "in.spr").string(), (dir / "ms.pal").string(), "--riff"}).status,
            cli::kExitOk);
  EXPECT_EQ(FileBytes(dir / "raw.pal"), Tool_Pal::SerializePalette(sprite.Header.Palette, Tool_Pal::PalForm::Raw));
  EXPECT_EQ(FileBytes(dir / "ms.pal").size(), 1048u);

  SprDocument grey = sprite;
  grey.Header.Palette.assign(kPaletteBytes, 0x80);
  ASSERT_TRUE(Tool_Spr::SaveSprite(dir / "grey.spr", grey));
  ASSERT_EQ(RunCli({"palette-import", (dir / "grey.spr").string(), (dir / "ms.pal").string(), "--riff", "-o",
                    (dir / "out.spr").string()})
                .status,
            cli::kExitOk);
  EXPECT_EQ(Reload(dir / "out.spr").Header.Palette, sprite.Header.Palette);
}

TEST(CliPalette, AnEmptyPaletteFileIsRefused) {
  TempDir dir;
  ASSERT_TRUE(Tool_Spr::SaveSprite(dir / "in.spr", ThreeFrameSprite()));
  ASSERT_TRUE(WriteFileAtomically(dir / "empty.pal", std::vector<std::uint8_t>{}, "test"));
  const CliRun run = RunCli({"palette-import", (dir / "in.spr").string(), (dir / "empty.pal").string(), "-o",
                             (dir / "out.spr").string()});
  EXPECT_EQ(run.status, cli::kExitBadInput);
  EXPECT_NE(run.err.find("This palette cannot be loaded"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir / "out.spr"));
}
