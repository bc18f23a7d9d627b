// Inputs with which the fuzzers once found a fault are kept under
// TEST_DATA_DIR/regressions/<target>/ and replayed here through the same check the
// fuzz target runs (tests/fuzz/input_checks.h). The sanitizer build runs this test
// too, so a fault that comes back shows as a crash, a report or a failed check.

#include <gtest/gtest.h>

#include "core/common/file_io.h"
#include "fuzz/input_checks.h"

using namespace tessaloom;

TEST(RegressionInputs, EveryKeptInputPassesItsTargetsCheck) {
  const std::filesystem::path root = std::filesystem::path(TEST_DATA_DIR) / "regressions";
  int replayed = 0;
  for (const auto& folder : std::filesystem::directory_iterator(root)) {
    const fuzz::InputCheck* check = fuzz::FindInputCheck(folder.path().filename().string());
    ASSERT_NE(check, nullptr) << folder.path() << " is not named after a fuzz target";
    for (const auto& file : std::filesystem::directory_iterator(folder)) {
      const auto bytes = ReadWholeFile(file.path(), "Open error");
      ASSERT_TRUE(bytes) << bytes.error().text;
      const fuzz::Problem problem = check->Run(*bytes);
      EXPECT_FALSE(problem) << file.path() << ": " << problem.value_or("");
      ++replayed;
    }
  }
  EXPECT_GT(replayed, 0);
}
