// Seeds of the action reader, the BMP reader and the palette import, and the
// collection of every target's seeds.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "core/common/file_io.h"
#include "core/convert/converter_bmp.h"
#include "fuzz/seed_sets.h"
#include "core/palette/tool_pal.h"
#include "core/sprite/spr_reader.h"
#include "support/act_bytes.h"
#include "support/bmp_bytes.h"

namespace tessaloom::fuzz {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::string Hex(std::uint16_t versionWord) {
  char text[8];
  std::snprintf(text, sizeof text, "%04x", versionWord);
  return text;
}

// Two actions of every layer and clip trailer shape the version has: clips with no
// layer, one and two layers, and zero, one and two anchors.
ActFileFields ActionsOfVersion(std::uint16_t versionWord) {
  const ActLayerFields plain{.X = -12, .Y = 30, .SpriteIndex = 1};
  const ActLayerFields styled{.X = 5, .Y = -7, .SpriteIndex = 0, .Direction = 1, .Red = 10, .Alpha = 128,
                            .ScaleX = 1.5f, .ScaleY = 0.5f, .Rotation = 90, .SpriteType = 1, .SizeX = 40, .SizeY = 60};
  ActFileFields file{.VersionWord = versionWord};
  file.Actions.push_back(
      {.Clips = {{.Layers = {plain}}, {.Layers = {}, .EventIndex = 0, .Anchors = {{.X = 3, .Y = -4}}}}});
  file.Actions.push_back({.Clips = {{.Layers = {styled, plain}, .Anchors = {{.X = 1}, {.Y = 2, .Attribute = 7}}}}});
  file.Events = {"atk", "step.wav"};
  file.Intervals = {4.0f, 0.25f};
  return file;
}

Bytes Cut(Bytes bytes, std::size_t size) {
  bytes.resize(std::min(bytes.size(), size));
  return bytes;
}

// The shadow, the demo's smallest frame.
Bytes DemoFrameBitmap(const Bytes& demoSprite) {
  const auto loaded = Tool_Spr::ParseSprite(demoSprite);
  if (!loaded || loaded->Document.Frames.empty()) return {};
  return Converter_Bmp::SerializeBmp(loaded->Document.Header, loaded->Document.Frames.back());
}

Bytes DemoPaletteInMemory(const Bytes& demoSprite) {
  const auto loaded = Tool_Spr::ParseSprite(demoSprite);
  return loaded ? loaded->Document.Header.Palette : Bytes(kPaletteBytes, 0x55);
}

}  // namespace

SeedSet ActSeeds(const Bytes& demoActions) {
  SeedSet seeds;
  seeds["demo.act"] = demoActions;
  for (std::uint16_t version : {0x0101, 0x0200, 0x0201, 0x0202, 0x0203, 0x0204, 0x0205}) {
    seeds["version-" + Hex(version) + ".act"] = BuildActFile(ActionsOfVersion(version));
  }
  const Bytes full = BuildActFile(ActionsOfVersion(0x0205));
  seeds["cut-in-events.act"] = Cut(full, full.size() - 30);
  seeds["cut-in-layer.act"] = Cut(full, 80);
  seeds["no-actions.act"] = ActBytes(0x0205).Header(0).Events(0, {}).Take();
  return seeds;
}

SeedSet BmpSeeds(const Bytes& demoSprite) {
  const std::vector<std::vector<std::uint8_t>> rows5x2{{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}};
  const std::vector<std::vector<std::uint8_t>> rows3x3{{1, 0, 1}, {0, 2, 0}, {3, 0, 3}};
  SeedSet seeds;
  seeds["full-table-5x2.bmp"] = BuildBmp({.Width = 5, .Height = 2, .Table = GradientTable(256), .Rows = rows5x2});
  seeds["top-down-3x3.bmp"] =
      BuildBmp({.Width = 3, .Height = 3, .TopDown = true, .Table = GradientTable(256), .Rows = rows3x3});
  seeds["16-colours.bmp"] = BuildBmp({.Width = 3, .Height = 3, .Table = GradientTable(16), .Rows = rows3x3});
  seeds["gap-before-pixels.bmp"] =
      BuildBmp({.Width = 5, .Height = 2, .PixelOffset = 54 + 64 + 12, .Table = GradientTable(16), .Rows = rows5x2});
  seeds["large-info-header.bmp"] =
      BuildBmp({.Width = 5, .Height = 2, .InfoHeaderSize = 108, .Table = GradientTable(256), .Rows = rows5x2});
  seeds["24-bit.bmp"] = BuildBmp({.Width = 2, .Height = 1, .BitsPerPixel = 24, .Rows = {{1, 2, 3, 4, 5, 6}}});
  seeds["compressed.bmp"] =
      BuildBmp({.Width = 5, .Height = 2, .Compression = 1, .Table = GradientTable(256), .Rows = rows5x2});
  seeds["demo-frame.bmp"] = DemoFrameBitmap(demoSprite);
  return seeds;
}

SeedSet PaletteSeeds(const Bytes& demoSprite) {
  const Bytes palette = DemoPaletteInMemory(demoSprite);
  SeedSet seeds;
  seeds["demo-raw.pal"] = Tool_Pal::SerializePalette(palette, Tool_Pal::PalForm::Raw);
  seeds["demo-riff.pal"] = Tool_Pal::SerializePalette(palette, Tool_Pal::PalForm::Riff);
  seeds["three-entries.pal"] = Tool_Pal::SerializePalette(Cut(palette, 12), Tool_Pal::PalForm::Raw);
  seeds["odd-length.pal"] = Cut(Tool_Pal::SerializePalette(palette, Tool_Pal::PalForm::Riff), 31);
  return seeds;
}

Result<std::map<std::string, SeedSet>> AllSeedSets(const std::filesystem::path& demoFolder) {
  auto sprite = ReadWholeFile(demoFolder / "hero.spr", "Seed error");
  if (!sprite) return sprite.error();
  auto actions = ReadWholeFile(demoFolder / "hero.act", "Seed error");
  if (!actions) return actions.error();
  const SeedSet sprites = SpriteSeeds(*sprite);
  return std::map<std::string, SeedSet>{
      {"sprite", sprites},           {"roundtrip", sprites},          {"rle", RleSeeds(*sprite)},
      {"act", ActSeeds(*actions)},   {"bmp", BmpSeeds(*sprite)},      {"palette", PaletteSeeds(*sprite)},
  };
}

}  // namespace tessaloom::fuzz
