// export-action end to end: the options reach the core's action export, whose rules
// are checked in the core tests.

#include <gtest/gtest.h>

#include "cli/cli.h"
#include "cli_test_support.h"
#include "core/actions/tool_act.h"
#include "core/common/file_io.h"
#include "core/operations/action_export.h"
#include "core/operations/sprite_operations.h"
#include "support/act_bytes.h"

using namespace tessaloom;

using CliExportAction = CliTest;

TEST_F(CliExportAction, WritesTheCoresFramesOrNothing) {
  const ActData act = Tool_Act::ParseActFile(BuildActFile(OffsetClipsActFile())).value();
  ASSERT_TRUE(WriteFileAtomically(m_dir / "walk.act", BuildActFile(OffsetClipsActFile()), "test"));
  std::vector<std::string> args{"export-action", PathOf("hero.spr"), PathOf("walk.act"), PathOf("walk.png"),
                                "--format",      "png",              "--zoom",          "5",
                                "--action",      "1"};
  EXPECT_EQ(RunCliBinary(args), cli::kExitBadInput);  // action 1 has no clips
  EXPECT_EQ(TempDir::ListNames(m_dir.Path()), (std::vector<std::string>{"hero.spr", "walk.act"}));
  args.back() = "0";
  ASSERT_EQ(RunCliBinary(args), cli::kExitOk);
  const auto files = EncodeAction(m_sprite, act, 0, 5, ActionExportFormat::PngFrames);
  ASSERT_TRUE(files);
  EXPECT_EQ(FileBytes(m_dir / "walk-01.png"), files->at(0));
  EXPECT_EQ(FileBytes(m_dir / "walk-02.png"), files->at(1));
}
