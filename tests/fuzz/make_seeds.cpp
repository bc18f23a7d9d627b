// Writes the starting corpus of every fuzz target, made by the shared test builders
// and the demo files: a well-formed file or two of every kind, so that fuzzing starts
// deep inside each format.
//
// Usage: tessaloom_fuzz_seeds OUTPUT_FOLDER DEMO_FOLDER
// Writes OUTPUT_FOLDER/<target>/<seed> for every target of input_checks.h.

#include <cstdio>
#include <map>

#include "core/common/file_io.h"
#include "core/convert/converter_bmp.h"
#include "core/palette/tool_pal.h"
#include "core/sprite/rle.h"
#include "core/sprite/spr_reader.h"
#include "core/sprite/spr_writer.h"
#include "fuzz/rle_check.h"
#include "support/act_bytes.h"
#include "support/bmp_bytes.h"
#include "support/frame_builder.h"

using namespace tessaloom;

namespace {

using Bytes = std::vector<std::uint8_t>;
using SeedSet = std::map<std::string, Bytes>;  // seed file name -> contents

// The run-length input of each frame: its width, then its code.
SeedSet RleSeeds(const SprDocument& demo) {
  SeedSet seeds;
  for (const SprDocument& sprite : {VariedSprite(), demo}) {
    for (const SprFrame& frame : sprite.Frames) {
      seeds["frame-" + std::to_string(seeds.size())] = fuzz::RleInput(frame.Width, Tool_Spr::EncodeFrameRle(frame));
    }
  }
  return seeds;
}

Status WriteSeeds(const std::filesystem::path& folder, const SeedSet& seeds) {
  std::error_code code;
  std::filesystem::remove_all(folder, code);
  std::filesystem::create_directories(folder, code);
  if (code) return Error{.title = "Seed error", .text = "Cannot create \"" + folder.string() + "\": " + code.message()};
  for (const auto& [name, bytes] : seeds) {
    if (auto written = WriteFileAtomically(folder / name, bytes, "Seed error"); !written) return written;
  }
  return {};
}

Status WriteAllSeeds(const std::filesystem::path& output, const std::filesystem::path& demoFolder) {
  auto sprite = ReadWholeFile(demoFolder / "hero.spr", "Seed error");
  auto actions = ReadWholeFile(demoFolder / "hero.act", "Seed error");
  if (!sprite || !actions) return sprite ? actions.error() : sprite.error();
  const auto loaded = Tool_Spr::ParseSprite(*sprite);
  const SprDocument demo = loaded && !loaded->Document.Frames.empty() ? loaded->Document : VariedSprite();
  const SeedSet sprites{{"demo.spr", *sprite}, {"varied.spr", Tool_Spr::SerializeSprite(VariedSprite()).value()}};
  const SeedSet bitmaps{{"demo-frame.bmp", Converter_Bmp::SerializeBmp(demo.Header, demo.Frames.back())},
                        {"top-down-16-colours.bmp", BuildBmp({.Width = 5, .Height = 2, .TopDown = true,
                                                              .Table = GradientTable(16), .Rows = {{1, 2, 3, 4, 5}}})}};
  const Bytes palette = Tool_Pal::SerializePalette(demo.Header.Palette, Tool_Pal::PalForm::Riff);
  const std::map<std::string, SeedSet> sets{
      {"sprite", sprites}, {"roundtrip", sprites}, {"rle", RleSeeds(demo)}, {"bmp", bitmaps},
      {"act", {{"demo.act", *actions}, {"version-1.1.act", BuildActFile(RichActFile(0x0101))}}},
      {"palette", {{"demo-riff.pal", palette}}}};
  for (const auto& [target, seeds] : sets) {
    if (auto written = WriteSeeds(output / target, seeds); !written) return written;
  }
  return {};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s OUTPUT_FOLDER DEMO_FOLDER\n", argv[0]);
    return 2;
  }
  if (auto written = WriteAllSeeds(argv[1], argv[2]); !written) {
    std::fprintf(stderr, "%s\n", written.error().text.c_str());
    return 1;
  }
  return 0;
}
