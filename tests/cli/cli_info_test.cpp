#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/cli.h"
#include "cli_test_support.h"
#include "core/common/file_io.h"
#include "core/sprite/spr_writer.h"
#include "support/act_bytes.h"
#include "support/spr_bytes.h"

using namespace tessaloom;
using Json = nlohmann::json;

TEST(CliUsage, BadUsageExitsWithTwoAndHelpWithZero) {
  for (const auto& args : {std::vector<std::string>{}, {"frobnicate"}, {"info"}, {"render", "a", "b", "--zoom", "12"}}) {
    EXPECT_EQ(RunCli(args).status, cli::kExitUsage) << args.size();
  }
  const CliRun help = RunCli({"--help"});
  EXPECT_EQ(help.status, cli::kExitOk);
  EXPECT_NE(help.out.find("palette-import"), std::string::npos);
}

using CliInfo = CliTest;

// The 32-bit colour frame is numbered after the indexed ones.
TEST_F(CliInfo, DescribesASpriteAsJsonAndAsText) {
  m_sprite.Header.Reserved = {1, 0};
  m_sprite.Header.TrailingData = SprBytes().RgbaFrame(2, 1, std::vector<std::uint32_t>{1, 2}).Build();
  ASSERT_TRUE(WriteFileAtomically(m_dir / "hero.spr", Tool_Spr::SerializeSprite(m_sprite).value(), "test"));
  const CliRun json = RunCli({"info", PathOf("hero.spr"), "--json"});
  ASSERT_EQ(json.status, cli::kExitOk) << json.err;
  const Json expected = Json::parse(R"({"Compressed":1,"FrameCount":3,"PaletteLength":1024,"Frames":[
      {"Width":3,"Height":2,"DataSize":8,"PixelsLength":8},
      {"Width":5,"Height":1,"DataSize":5,"PixelsLength":8},
      {"Width":8,"Height":3,"DataSize":24,"PixelsLength":24}],
      "RgbaFrameCount":1,"RgbaFrames":[{"Width":2,"Height":1}]})");
  EXPECT_EQ(Json::parse(json.out), expected);
  const std::string text = RunCli({"info", PathOf("hero.spr")}).out;
  EXPECT_NE(text.find("3 frame(s) and 1 32-bit colour frame(s)"), std::string::npos) << text;
  EXPECT_NE(text.find("frame 4 (32-bit): 2 x 1"), std::string::npos) << text;
}

// Event names are CP949 bytes: "\xB0\xCB" is U+AC80.
TEST_F(CliInfo, DescribesAnActionFileWithItsEventNamesDecoded) {
  const ActFileFields layout{.Actions = {{.Clips = {{.Layers = {{.X = -12}}}}}}, .Events = {"\xB0\xCB.wav", "atk"}};
  ASSERT_TRUE(WriteFileAtomically(m_dir / "hero.act", BuildActFile(layout), "test"));

  const CliRun run = RunCli({"info", PathOf("hero.act"), "--json"});
  ASSERT_EQ(run.status, cli::kExitOk) << run.err;
  const Json info = Json::parse(run.out);
  EXPECT_EQ(info["Actions"][0]["Clips"][0]["Layers"][0]["PosX"], -12);
  EXPECT_EQ(info["Events"], Json::array({"\uAC80.wav", "atk"}));
  EXPECT_NE(RunCli({"info", PathOf("hero.act")}).out.find("event 1: \uAC80.wav"), std::string::npos);
}

TEST_F(CliInfo, BadInputIsOneLineAndEachExitStatusReachesTheProcess) {
  ASSERT_TRUE(WriteFileAtomically(m_dir / "x.spr", std::vector<std::uint8_t>(2000, 'x'), "test"));
  const CliRun wrongMagic = RunCli({"info", PathOf("x.spr")});
  EXPECT_EQ(wrongMagic.status, cli::kExitBadInput);
  EXPECT_NE(wrongMagic.err.find("It's not a sprite format"), std::string::npos);
  EXPECT_EQ(std::count(wrongMagic.err.begin(), wrongMagic.err.end(), '\n'), 1);
  // The real process's exit statuses.
  EXPECT_EQ(RunCliBinary({"info", PathOf("hero.spr")}), 0);
  EXPECT_EQ(RunCliBinary({"info", PathOf("nothing.spr")}), 1);
  EXPECT_EQ(RunCliBinary({"no-such-command"}), 2);
}
