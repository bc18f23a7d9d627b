// Writes the starting corpus of every fuzz target, made by our own builders and the
// demo files: well-formed files of every kind and version, plus the odd cases the
// readers must refuse or tolerate, so that fuzzing starts deep inside each format.
//
// Usage: tessaloom_fuzz_seeds OUTPUT_FOLDER DEMO_FOLDER
// Writes OUTPUT_FOLDER/<target>/<seed> for every target of input_checks.h.

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "core/common/file_io.h"
#include "fuzz/seed_sets.h"

using namespace tessaloom;

namespace {

Status WriteSeeds(const std::filesystem::path& folder, const fuzz::SeedSet& seeds) {
  std::error_code code;
  std::filesystem::remove_all(folder, code);
  std::filesystem::create_directories(folder, code);
  if (code) return Error{.title = "Seed error", .text = "Cannot create \"" + folder.string() + "\": " + code.message()};
  for (const auto& [name, bytes] : seeds) {
    if (auto written = WriteFileAtomically(folder / name, bytes, "Seed error"); !written) return written;
  }
  return {};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s OUTPUT_FOLDER DEMO_FOLDER\n", argv[0]);
    return 2;
  }
  const std::filesystem::path output = argv[1];
  auto sets = fuzz::AllSeedSets(argv[2]);
  if (!sets) {
    std::fprintf(stderr, "%s\n", sets.error().text.c_str());
    return 1;
  }
  for (const auto& [target, seeds] : *sets) {
    if (auto written = WriteSeeds(output / target, seeds); !written) {
      std::fprintf(stderr, "%s\n", written.error().text.c_str());
      return 1;
    }
  }
  return 0;
}
