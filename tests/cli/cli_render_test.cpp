#include <gtest/gtest.h>

#include "cli.h"
#include "cli_test_support.h"
#include "common/file_io.h"
#include "convert/converter_png.h"
#include "render/view_settings.h"
#include "sprite/spr_writer.h"
#include "support/act_bytes.h"
#include "support/frame_builder.h"
#include "support/temp_dir.h"

using namespace tessaloom;

namespace {

constexpr Color kKey = MakeColor(255, 0, 255);
constexpr Color kRed = MakeColor(200, 0, 0);
constexpr Color kGreen = MakeColor(0, 200, 0);

// A 2x2 red square with a keyed-out corner, and a 1x1 green dot.
SprDocument SquareAndDot() {
  SprDocument sprite;
  sprite.Header.Compressed = 1;
  sprite.Header.Palette = PaletteOf({kKey, kRed, kGreen});
  sprite.Frames = {FrameFromRows({{1, 1}, {1, 0}}), FrameFromRows({{2}})};
  sprite.Header.FrameCount = 2;
  return sprite;
}

Image RenderedPicture(const std::filesystem::path& path) {
  auto picture = Converter_Png::LoadPicture(path);
  EXPECT_TRUE(picture);
  return picture ? *picture : Image{};
}

}  // namespace

TEST(CliRender, DrawsTheFrameCentredOnTheCanvas) {
  TempDir dir;
  ASSERT_TRUE(Tool_Spr::SaveSprite(dir / "s.spr", SquareAndDot()));
  ASSERT_EQ(RunCli({"render", (dir / "s.spr").string(), (dir / "out.png").string(), "--canvas", "20x60", "--zoom",
                    "6"})
                .status,
            cli::kExitOk);
  const Image canvas = RenderedPicture(dir / "out.png");
  ASSERT_EQ(canvas.Width, 20);
  ASSERT_EQ(canvas.Height, 60);
  // 2x2 at scale 2 is 4x4 at x = floor(10 - 2) = 8, y = floor(30 - 2 - 20) = 8.
  EXPECT_EQ(canvas.At(8, 8), ToArgb(kRed));
  EXPECT_EQ(canvas.At(11, 9), ToArgb(kRed));
  EXPECT_EQ(canvas.At(10, 10), ToArgb(kCanvasColor));  // the keyed-out corner
  EXPECT_EQ(canvas.At(7, 8), ToArgb(kCanvasColor));
  EXPECT_EQ(canvas.At(0, 0), ToArgb(kCanvasColor));

  ASSERT_EQ(RunCli({"render", (dir / "s.spr").string(), (dir / "opaque.png").string(), "--canvas", "20x60",
                    "--zoom", "6", "--no-transparency"})
                .status,
            cli::kExitOk);
  EXPECT_EQ(RenderedPicture(dir / "opaque.png").At(10, 10), ToArgb(kKey));
}

TEST(CliRender, DrawsAClipsLayersAtTheirOffsets) {
  TempDir dir;
  ASSERT_TRUE(Tool_Spr::SaveSprite(dir / "s.spr", SquareAndDot()));
  ActFileSpec spec;
  spec.Actions.push_back({.Clips = {{.Layers = {{.X = 0, .Y = 0, .SpriteIndex = 0}, {.X = 5, .Y = 1, .SpriteIndex = 1}}}}});
  ASSERT_TRUE(WriteFileAtomically(dir / "s.act", BuildActFile(spec), "test"));
  ASSERT_EQ(RunCli({"render", (dir / "s.spr").string(), (dir / "clip.png").string(), "--canvas", "20x60", "--act",
                    (dir / "s.act").string(), "--action", "0", "--clip", "0"})
                .status,
            cli::kExitOk);
  const Image canvas = RenderedPicture(dir / "clip.png");
  EXPECT_EQ(canvas.At(9, 9), ToArgb(kRed));     // 2x2 at (9, 9)
  EXPECT_EQ(canvas.At(14, 10), ToArgb(kGreen));  // the dot at (9, 9) moved by (5, 1)

  const CliRun missingClip = RunCli({"render", (dir / "s.spr").string(), (dir / "x.png").string(), "--act",
                                     (dir / "s.act").string(), "--action", "0", "--clip", "3"});
  EXPECT_EQ(missingClip.status, cli::kExitBadInput);
  EXPECT_NE(missingClip.err.find("error draw"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir / "x.png"));
}
