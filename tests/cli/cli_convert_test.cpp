// The convert command end to end: which files it takes, where their outputs go, that
// each output is what `export` writes, and that one bad file never stops the run.

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>

#include "cli/cli.h"
#include "cli_test_support.h"
#include "core/sprite/spr_writer.h"
#include "support/spr_bytes.h"

using namespace tessaloom;

namespace {

// The folder "in": good sprites at the top and two levels down, a sprite file cut
// short, a text file named like a sprite, and a file that is not a sprite's at all.
class CliConvert : public CliTest {
 protected:
  void SetUp() override {
    CliTest::SetUp();
    std::filesystem::create_directories(m_dir / "in/sub/deep");
    for (const char* name : {"in/a.spr", "in/sub/b.SPR", "in/sub/deep/c.spr"}) {
      ASSERT_TRUE(Tool_Spr::SaveSprite(m_dir / name, m_sprite));
    }
    WriteText("in/cut.spr", std::string("SP\x01\x02\x03\x00\x00\x00", 8));
    WriteText("in/notes.spr", "not a sprite");
    WriteText("in/readme.txt", "ignored");
  }
  void WriteText(const std::string& name, const std::string& text) { std::ofstream(m_dir / name) << text; }

  CliRun Convert(std::vector<std::string> inputs, std::vector<std::string> options) {
    std::vector<std::string> args{"convert"};
    for (const std::string& input : inputs) args.push_back(PathOf(input));
    args.insert(args.end(), options.begin(), options.end());
    return RunCli(args);
  }
};

TEST_F(CliConvert, GoesOnPastBadFilesAndReportsEveryInputInOrder) {
  const CliRun run = Convert({"in", "hero.spr", "missing.spr"},
                             {"--to", "anim", "--out-dir", PathOf("out"), "--recursive", "--jobs", "3", "--json",
                              PathOf("report.json")});
  EXPECT_EQ(run.status, cli::kExitBadInput);
  for (const char* name : {"cut.spr: ", "notes.spr: ", "missing.spr: No such file or folder."}) {
    EXPECT_NE(run.err.find(name), std::string::npos) << name << "\n" << run.err;
  }
  EXPECT_NE(run.err.find("4 converted, 3 failed in "), std::string::npos) << run.err;
  EXPECT_EQ(TempDir::ListNames(m_dir / "out"), (std::vector<std::string>{"a.gif", "hero.gif", "sub"}));
  EXPECT_EQ(TempDir::ListNames(m_dir / "out/sub"), (std::vector<std::string>{"b.gif", "deep"}));
  EXPECT_EQ(TempDir::ListNames(m_dir / "out/sub/deep"), std::vector<std::string>{"c.gif"});

  const auto report = nlohmann::json::parse(FileBytes(m_dir / "report.json"));
  std::vector<std::string> listed;
  for (const auto& input : report["Inputs"]) {
    listed.push_back(std::filesystem::path(input["Input"].get<std::string>()).filename().string() +
                     (input.contains("Error") ? " failed" : " " + std::to_string(input["Outputs"].size())));
  }
  EXPECT_EQ(listed, (std::vector<std::string>{"a.spr 1", "cut.spr failed", "notes.spr failed", "b.SPR 1", "c.spr 1",
                                              "hero.spr 1", "missing.spr failed"}));
  EXPECT_EQ(report["Totals"]["Converted"], 4);
  EXPECT_EQ(report["Totals"]["Failed"], 3);
}

// Whatever the number of threads, each output holds the bytes `export` writes for the
// same file (b is a's sprite), under the name `export --all` gives it; a folder given
// without --recursive gives its own files only.
TEST_F(CliConvert, WritesWhatExportWritesAtAnyNumberOfJobs) {
  std::filesystem::create_directories(m_dir / "expected");
  for (const std::string format : {"bmp", "gif", "gif87", "png", "anim", "anim87"}) {
    const bool animated = format.starts_with("anim");
    const std::string extension = format == "bmp" ? ".bmp" : format == "png" ? ".png" : ".gif";
    std::vector<std::string> exportArgs{"export", PathOf("in/a.spr"), PathOf("expected/a" + extension), "--format",
                                        format};
    if (!animated) exportArgs.push_back("--all");
    ASSERT_EQ(RunCli(exportArgs).status, cli::kExitOk);
    for (const std::string jobs : {"1", "3"}) {
      SCOPED_TRACE(format + " with " + jobs + " jobs");
      const std::string out = "out-" + format + "-" + jobs;
      const CliRun run =
          Convert({"in/a.spr", "in/sub"}, {"--to", format, "--out-dir", PathOf(out), "--jobs", jobs, "--quiet"});
      EXPECT_EQ(run.status, cli::kExitOk);
      EXPECT_EQ(run.err, "");
      const std::vector<std::string> written = TempDir::ListNames(m_dir / out);
      ASSERT_EQ(written.size(), animated ? 2u : 6u);
      for (const std::string& name : written) {
        EXPECT_EQ(FileBytes(m_dir / out / name), FileBytes(m_dir / "expected" / ("a" + name.substr(1)))) << name;
      }
    }
  }
}

TEST_F(CliConvert, RefusesBadUsage) {
  const std::vector<std::vector<std::string>> bad{
      {"--to", "anim", "--out-dir", "out"},                     // no input
      {"in", "--to", "jpeg", "--out-dir", "out"},              // unknown format
      {"in", "--to", "png", "--out-dir", "out", "--compact"},  // compact is for GIFs
      {"in", "--to", "gif", "--out-dir", "out", "--jobs", "0"},
      {"in", "--to", "gif"},  // no output folder
  };
  for (const std::vector<std::string>& args : bad) {
    std::vector<std::string> command{"convert"};
    command.insert(command.end(), args.begin(), args.end());
    EXPECT_EQ(RunCli(command).status, cli::kExitUsage) << ::testing::PrintToString(args);
  }
}

}  // namespace
