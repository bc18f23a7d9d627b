#pragma once
// Running tessaloom-cli in tests: through its Run seam, capturing what it prints, or
// as the real binary for end-to-end checks of the process's exit status.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/sprite/spr_document.h"
#include "support/temp_dir.h"

namespace tessaloom {

struct CliRun {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs the command line `tessaloom-cli args…` in this process.
CliRun RunCli(const std::vector<std::string>& args);

// Runs the built binary with `args` (each quoted for the shell); returns its exit status.
int RunCliBinary(const std::vector<std::string>& args);

// A three-frame sprite of different sizes (widths 3, 5 and 8) with a full palette.
SprDocument ThreeFrameSprite();

std::vector<std::uint8_t> FileBytes(const std::filesystem::path& path);

// A fresh folder holding ThreeFrameSprite() saved as hero.spr.
class CliTest : public ::testing::Test {
 protected:
  void SetUp() override;
  std::string PathOf(const std::string& name) const { return (m_dir / name).string(); }
  // The sprite saved at `name`, loaded again (empty when it does not load).
  SprDocument Reload(const std::string& name) const;

  TempDir m_dir;
  SprDocument m_sprite = ThreeFrameSprite();
};

}  // namespace tessaloom
