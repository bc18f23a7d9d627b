#include <gtest/gtest.h>

#include "cli/cli.h"
#include "cli_test_support.h"
#include "core/common/file_io.h"
#include "core/convert/picture_loader.h"
#include "core/render/view_settings.h"
#include "core/sprite/spr_writer.h"
#include "support/act_bytes.h"
#include "support/frame_builder.h"

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

}  // namespace

// Placement, keying and layers are checked in the core render tests; these check the
// options reach them.
class CliRender : public CliTest {
 protected:
  void SetUp() override { ASSERT_TRUE(Tool_Spr::SaveSprite(m_dir / "s.spr", SquareAndDot())); }

  Image Render(const std::string& output, std::vector<std::string> options) {
    std::vector<std::string> args{"render", PathOf("s.spr"), PathOf(output), "--canvas", "20x60"};
    args.insert(args.end(), options.begin(), options.end());
    const CliRun run = RunCli(args);
    EXPECT_EQ(run.status, cli::kExitOk) << run.err;
    auto picture = Converter_Png::LoadPicture(m_dir / output);
    EXPECT_TRUE(picture);
    return picture ? *picture : Image{};
  }
};

TEST_F(CliRender, DrawsTheFrameCentredOnTheCanvas) {
  const Image canvas = Render("out.png", {"--zoom", "6"});
  ASSERT_EQ(canvas.Width, 20);
  ASSERT_EQ(canvas.Height, 60);
  // 2x2 at scale 2 is 4x4 at x = floor(10 - 2) = 8, y = floor(30 - 2 - 20) = 8.
  EXPECT_EQ(canvas.At(8, 8), ToArgb(kRed));
  EXPECT_EQ(canvas.At(11, 9), ToArgb(kRed));
  EXPECT_EQ(canvas.At(10, 10), ToArgb(kCanvasColor));  // the keyed-out corner
  EXPECT_EQ(canvas.At(7, 8), ToArgb(kCanvasColor));
  EXPECT_EQ(Render("opaque.png", {"--zoom", "6", "--no-transparency"}).At(10, 10), ToArgb(kKey));
}

TEST_F(CliRender, DrawsAClipsLayersAtTheirOffsets) {
  ActFileFields layout;
  layout.Actions.push_back({.Clips = {{.Layers = {{.X = 0, .Y = 0, .SpriteIndex = 0}, {.X = 5, .Y = 1, .SpriteIndex = 1}}}}});
  ASSERT_TRUE(WriteFileAtomically(m_dir / "s.act", BuildActFile(layout), "test"));
  const Image canvas = Render("clip.png", {"--act", PathOf("s.act"), "--action", "0", "--clip", "0"});
  EXPECT_EQ(canvas.At(9, 9), ToArgb(kRed));     // 2x2 at (9, 9)
  EXPECT_EQ(canvas.At(14, 10), ToArgb(kGreen));  // the dot at (9, 9) moved by (5, 1)

  const CliRun missingClip =
      RunCli({"render", PathOf("s.spr"), PathOf("x.png"), "--act", PathOf("s.act"), "--action", "0", "--clip", "3"});
  EXPECT_EQ(missingClip.status, cli::kExitBadInput);
  EXPECT_NE(missingClip.err.find("error draw"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(m_dir / "x.png"));
}
