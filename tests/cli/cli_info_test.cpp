#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/cli.h"
#include "cli_test_support.h"
#include "core/common/file_io.h"
#include "support/act_bytes.h"

using namespace tessaloom;
using Json = nlohmann::json;

TEST(CliUsage, BadUsageExitsWithTwoAndHelpWithZero) {
  EXPECT_EQ(RunCli({}).status, cli::kExitUsage);
  EXPECT_EQ(RunCli({"frobnicate"}).status, cli::kExitUsage);
  EXPECT_EQ(RunCli({"info"}).status, cli::kExitUsage);
  EXPECT_EQ(RunCli({"export", "a.spr", "b.gif", "--format", "jpeg"}).status, cli::kExitUsage);
  EXPECT_EQ(RunCli({"export", "a.spr", "b.gif", "--format", "gif", "--frame", "2", "--all"}).status, cli::kExitUsage);
  EXPECT_EQ(RunCli({"render", "a.spr", "b.png", "--zoom", "12"}).status, cli::kExitUsage);

  const CliRun help = RunCli({"--help"});
  EXPECT_EQ(help.status, cli::kExitOk);
  for (const char* command : {"info", "export", "save", "add-frame", "palette-export", "palette-import", "render"}) {
    EXPECT_NE(help.out.find(command), std::string::npos) << command;
  }
  const CliRun exportHelp = RunCli({"export", "--help"});
  EXPECT_EQ(exportHelp.status, cli::kExitOk);
  EXPECT_NE(exportHelp.out.find("--format"), std::string::npos);
}

using CliInfo = CliTest;

TEST_F(CliInfo, DescribesASpriteAsJsonAndAsText) {
  const CliRun json = RunCli({"info", PathOf("hero.spr"), "--json"});
  ASSERT_EQ(json.status, cli::kExitOk) << json.err;
  const Json expected = Json::parse(R"({"Compressed":1,"FrameCount":3,"PaletteLength":1024,"Frames":[
      {"Width":3,"Height":2,"DataSize":8,"PixelsLength":8},
      {"Width":5,"Height":1,"DataSize":5,"PixelsLength":8},
      {"Width":8,"Height":3,"DataSize":24,"PixelsLength":24}]})");
  EXPECT_EQ(Json::parse(json.out), expected);
  EXPECT_EQ(json.out.substr(0, 15), R"({"Compressed":1)");  // keys in the documented order

  const CliRun text = RunCli({"info", PathOf("hero.spr")});
  EXPECT_EQ(text.status, cli::kExitOk);
  EXPECT_NE(text.out.find("3 frame(s)"), std::string::npos);
  EXPECT_NE(text.out.find("frame 3: 8 x 3"), std::string::npos);
}

TEST_F(CliInfo, DescribesAnActionFileByItsMagic) {
  ActFileFields layout{.VersionWord = 0x0205};
  ActLayerFields layer{.X = -12, .Y = 4, .SpriteIndex = 7, .Direction = 1, .SizeX = 20, .SizeY = 30};
  layout.Actions.push_back({.Clips = {{.Layers = {layer}, .EventIndex = 0, .Anchors = {{.X = 3, .Y = -5}}}}});
  layout.Events = {"atk"};
  layout.Intervals = {4.0f};
  ASSERT_TRUE(WriteFileAtomically(m_dir / "hero.act", BuildActFile(layout), "test"));

  const CliRun run = RunCli({"info", PathOf("hero.act"), "--json"});
  ASSERT_EQ(run.status, cli::kExitOk) << run.err;
  const Json info = Json::parse(run.out);
  EXPECT_EQ(info["Version"], 5);
  EXPECT_EQ(info["ActionCount"], 1);
  const Json& clip = info["Actions"][0]["Clips"][0];
  EXPECT_EQ(clip["LayerCount"], 1);
  EXPECT_EQ(clip["ExtraCount"], 1);
  EXPECT_EQ(clip["ExtraX"], 3);
  EXPECT_EQ(clip["ExtraY"], -5);
  EXPECT_EQ(clip["EventIndex"], 0);
  const Json& first = clip["Layers"][0];
  EXPECT_EQ(first["PosX"], -12);
  EXPECT_EQ(first["SpriteIndex"], 7);
  EXPECT_EQ(first["ScaleX"], 1065353216);
  EXPECT_EQ(first["SizeY"], 30);
  EXPECT_EQ(info["Events"], Json::array({"atk"}));
  EXPECT_EQ(info["Intervals"], Json::array({4.0}));
}

TEST_F(CliInfo, ReportsBadInputOnOneLineWithExitOne) {
  ASSERT_TRUE(WriteFileAtomically(m_dir / "x.spr", std::vector<std::uint8_t>(2000, 'x'), "test"));
  const CliRun wrongMagic = RunCli({"info", PathOf("x.spr")});
  EXPECT_EQ(wrongMagic.status, cli::kExitBadInput);
  EXPECT_NE(wrongMagic.err.find("It's not a sprite format"), std::string::npos);
  EXPECT_EQ(std::count(wrongMagic.err.begin(), wrongMagic.err.end(), '\n'), 1);

  const CliRun missing = RunCli({"info", PathOf("missing.spr")});
  EXPECT_EQ(missing.status, cli::kExitBadInput);
  EXPECT_NE(missing.err.find("missing.spr"), std::string::npos);

  ASSERT_TRUE(WriteFileAtomically(m_dir / "broken.act", std::vector<std::uint8_t>{'A', 'C', 5, 2, 1, 0}, "test"));
  const CliRun act = RunCli({"info", PathOf("broken.act")});
  EXPECT_EQ(act.status, cli::kExitBadInput);
  EXPECT_NE(act.err.find("It was an error trying to open the file"), std::string::npos);
}

TEST_F(CliInfo, ExitStatusesOfTheRealProcess) {
  EXPECT_EQ(RunCliBinary({"info", PathOf("hero.spr")}), 0);
  EXPECT_EQ(RunCliBinary({"info", PathOf("nothing.spr")}), 1);
  EXPECT_EQ(RunCliBinary({"no-such-command"}), 2);
  EXPECT_EQ(RunCliBinary({"export", PathOf("hero.spr"), PathOf("a.gif"), "--format", "anim"}), 0);
  EXPECT_FALSE(FileBytes(m_dir / "a.gif").empty());
}
