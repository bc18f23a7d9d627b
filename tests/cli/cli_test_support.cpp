#include "cli_test_support.h"

#include <cstdlib>
#include <sstream>
#include <sys/wait.h>

#include "cli/cli.h"
#include "core/common/file_io.h"
#include "support/frame_builder.h"
#include "core/sprite/spr_reader.h"
#include "core/sprite/spr_writer.h"

namespace tessaloom {

CliRun RunCli(const std::vector<std::string>& args) {
  std::vector<const char*> argv{"tessaloom-cli"};
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  std::ostringstream out;
  std::ostringstream err;
  CliRun run;
  run.status = cli::Run(static_cast<int>(argv.size()), argv.data(), out, err);
  run.out = out.str();
  run.err = err.str();
  return run;
}

int RunCliBinary(const std::vector<std::string>& args) {
  std::string command = CLI_PATH;
  for (const std::string& arg : args) command += " '" + arg + "'";
  command += " >/dev/null 2>&1";
  const int raw = std::system(command.c_str());
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

SprDocument ThreeFrameSprite() {
  return SpriteOf({FrameFromRows({{1, 0, 2}, {3, 4, 0}}), FrameFromRows({{5, 5, 0, 0, 6}}),
                   FrameFromRows({{0, 0, 0, 0, 7, 7, 7, 7}, {8, 8, 8, 8, 0, 0, 0, 0}, {9, 0, 9, 0, 9, 0, 9, 0}})});
}

std::vector<std::uint8_t> FileBytes(const std::filesystem::path& path) {
  auto bytes = ReadWholeFile(path, "test");
  return bytes ? std::move(*bytes) : std::vector<std::uint8_t>{};
}

void CliTest::SetUp() { ASSERT_TRUE(Tool_Spr::SaveSprite(m_dir / "hero.spr", m_sprite)); }

SprDocument CliTest::Reload(const std::string& name) const {
  auto loaded = Tool_Spr::LoadSprite(m_dir / name);
  EXPECT_TRUE(loaded) << (loaded ? "" : loaded.error().text);
  return loaded ? loaded->Document : SprDocument{};
}

}  // namespace tessaloom
