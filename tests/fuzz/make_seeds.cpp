// Writes the starting corpus of every fuzz target, made by the shared test builders
// and the demo files: well-formed files of every kind and version, plus the odd cases
// the readers must refuse or tolerate, so that fuzzing starts deep inside each format.
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
#include "support/spr_bytes.h"

using namespace tessaloom;

namespace {

using Bytes = std::vector<std::uint8_t>;
using SeedSet = std::map<std::string, Bytes>;  // seed file name -> contents

Bytes Cut(Bytes bytes, std::size_t size) {
  bytes.resize(std::min(bytes.size(), size));
  return bytes;
}

SeedSet SpriteSeeds(const Bytes& demo) {
  const auto coded = [](SprHeaderBytes header) { return SprBytes().Header(header).CodedFrame(3, 2, Bytes{5, 0, 2, 7, 8, 9}); };
  return {{"demo.spr", demo},
          {"varied.spr", Tool_Spr::SerializeSprite(VariedSprite()).value()},
          {"raw-frames.spr", SprBytes().Header({.Minor = 0, .FrameCount = 2}).RawFrame(3, 2, Bytes{1, 2, 3, 4, 5, 6})
                                 .RawFrame(5, 1, Bytes{9, 0, 0, 8, 7}).TestPalette().Build()},
          {"lone-zero.spr", SprBytes().Header({.FrameCount = 1}).CodedFrame(2, 2, Bytes{1, 0}).TestPalette().Build()},
          {"lower-case-magic.spr", coded({.Magic = "sp", .FrameCount = 1}).TestPalette().Build()},
          {"cut-short.spr", coded({.FrameCount = 1}).Build()}};
}

// The run-length input of each frame: its width, then its code.
SeedSet RleSeeds(const SprDocument& demo) {
  SeedSet seeds{{"lone-zero", fuzz::RleInput(2, Bytes{1, 0})}, {"negative-width", fuzz::RleInput(-3, Bytes{1, 2, 0, 4})}};
  for (const SprDocument& sprite : {VariedSprite(), demo}) {
    for (const SprFrame& frame : sprite.Frames) {
      seeds["frame-" + std::to_string(seeds.size())] = fuzz::RleInput(frame.Width, Tool_Spr::EncodeFrameRle(frame));
    }
  }
  return seeds;
}

SeedSet ActSeeds(const Bytes& demo) {
  SeedSet seeds{{"demo.act", demo}, {"cut-in-layer.act", Cut(BuildActFile(RichActFile()), 80)}};
  for (std::uint16_t version : {0x0101, 0x0200, 0x0201, 0x0202, 0x0203, 0x0204, 0x0205}) {
    seeds["version-" + std::to_string(version >> 8) + "." + std::to_string(version & 0xFF) + ".act"] =
        BuildActFile(RichActFile(version));
  }
  return seeds;
}

SeedSet BmpSeeds(const SprDocument& demo) {
  const auto bmp = [](BmpFields fields) {
    fields.Width = 5, fields.Height = 2, fields.Rows = {{1, 2, 3, 4, 5}, {6, 0, 8, 9, 10}};
    if (fields.Table.empty() && fields.BitsPerPixel == 8) fields.Table = GradientTable(256);
    return BuildBmp(fields);
  };
  return {{"demo-frame.bmp", Converter_Bmp::SerializeBmp(demo.Header, demo.Frames.back())},
          {"top-down.bmp", bmp({.TopDown = true})},
          {"gap-before-16-colours.bmp", bmp({.PixelOffset = 54 + 64 + 12, .Table = GradientTable(16)})},
          {"large-info-header.bmp", bmp({.InfoHeaderSize = 108})},
          {"24-bit.bmp", bmp({.BitsPerPixel = 24})},
          {"compressed.bmp", bmp({.Compression = 1})}};
}

SeedSet PaletteSeeds(const Bytes& palette) {
  using Tool_Pal::PalForm;
  return {{"demo-raw.pal", Tool_Pal::SerializePalette(palette, PalForm::Raw)},
          {"demo-riff.pal", Tool_Pal::SerializePalette(palette, PalForm::Riff)},
          {"odd-length.pal", Cut(Tool_Pal::SerializePalette(palette, PalForm::Riff), 31)}};
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
  const SeedSet sprites = SpriteSeeds(*sprite);
  const std::map<std::string, SeedSet> sets{
      {"sprite", sprites},         {"roundtrip", sprites},  {"rle", RleSeeds(demo)},
      {"act", ActSeeds(*actions)}, {"bmp", BmpSeeds(demo)}, {"palette", PaletteSeeds(demo.Header.Palette)}};
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
