// The render command end to end: placement, keying and layers are checked in the core
// render tests; this checks that the options reach them.

#include <gtest/gtest.h>

#include "cli/cli.h"
#include "cli_test_support.h"
#include "core/common/file_io.h"
#include "core/convert/picture_loader.h"
#include "core/actions/tool_act.h"
#include "core/render/canvas_drawing.h"
#include "core/render/preview_drawing.h"
#include "core/render/view_settings.h"
#include "support/act_bytes.h"

using namespace tessaloom;

using CliRender = CliTest;

TEST_F(CliRender, DrawsWhatTheCoreDrawsWithTheChosenView) {
  ASSERT_EQ(RunCli({"render", PathOf("hero.spr"), PathOf("out.png"), "--frame", "2", "--zoom", "6", "--canvas",
                    "20x60", "--no-transparency"}).status,
            cli::kExitOk);
  Image expected(20, 60);
  DrawSpriteFrame(expected, m_sprite, 2,
                  ViewSettings{.ZoomStep = 6, .Transparent = false, .ClientWidth = 20, .ClientHeight = 60});
  auto written = Converter_Png::LoadPicture(m_dir / "out.png");
  ASSERT_TRUE(written);
  EXPECT_EQ(*written, expected);
}

TEST_F(CliRender, RefusesAClipTheActionLacks) {
  ActFileFields layout;
  layout.Actions.push_back({.Clips = {{.Layers = {{.SpriteIndex = 1}}}}});
  ASSERT_TRUE(WriteFileAtomically(m_dir / "s.act", BuildActFile(layout), "test"));
  const std::vector<std::string> args{"render", PathOf("hero.spr"), PathOf("x.png"), "--act", PathOf("s.act")};
  EXPECT_EQ(RunCli(args).status, cli::kExitUsage);  // --act needs --action and --clip
  std::vector<std::string> withClip = args;
  withClip.insert(withClip.end(), {"--action", "0", "--clip", "3"});
  EXPECT_EQ(RunCli(withClip).status, cli::kExitBadInput);
  EXPECT_FALSE(std::filesystem::exists(m_dir / "x.png"));
}

TEST_F(CliRender, PreviewDrawsAClipTheGamesWay) {
  const std::vector<std::uint8_t> bytes = BuildActFile(OffsetClipsActFile());
  ASSERT_TRUE(WriteFileAtomically(m_dir / "walk.act", bytes, "test"));
  ASSERT_EQ(RunCli({"render", PathOf("hero.spr"), PathOf("out.png"), "--preview", "--act", PathOf("walk.act"),
                    "--action", "0", "--clip", "1", "--zoom", "4", "--canvas", "30x20"}).status,
            cli::kExitOk);
  const ActData act = Tool_Act::ParseActFile(bytes).value();
  Image expected(30, 20);
  ASSERT_TRUE(Preview::DrawClip(expected, m_sprite, &act, 0, 1, ViewSettings{.ZoomStep = 4, .ClientWidth = 30,
                                                                             .ClientHeight = 20}));
  EXPECT_EQ(Converter_Png::LoadPicture(m_dir / "out.png").value(), expected);
}
