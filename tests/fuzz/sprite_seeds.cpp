// Seeds of the sprite reader, the round trip and the run-length decoder.

#include <cstdint>
#include <string>
#include <vector>

#include "fuzz/seed_sets.h"
#include "core/sprite/rle.h"
#include "core/sprite/spr_reader.h"
#include "core/sprite/spr_writer.h"
#include "support/frame_builder.h"
#include "support/spr_bytes.h"

namespace tessaloom::fuzz {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Rows of every width from 1 to 9 (each padding case), with zero runs short, long
// (past the 62 of one pair) and running across rows.
SprDocument VariedDocument() {
  SprDocument document;
  document.Header.Compressed = 1;
  for (int width = 1; width <= 9; ++width) {
    std::vector<std::vector<std::uint8_t>> rows;
    for (int y = 0; y < 3; ++y) {
      std::vector<std::uint8_t> row(static_cast<std::size_t>(width), 0);
      for (int x = 0; x < width; ++x) {
        if ((x + y) % 3 != 0) row[static_cast<std::size_t>(x)] = static_cast<std::uint8_t>(1 + x * 29 + y);
      }
      rows.push_back(row);
    }
    document.Frames.push_back(FrameFromRows(rows));
  }
  document.Frames.push_back(SolidFrame(70, 3, 0));
  document.Frames.push_back(SolidFrame(13, 2, 200));
  document.Header.FrameCount = static_cast<std::int16_t>(document.Frames.size());
  const auto palette = TestPaletteFileOrder();
  document.Header.Palette = Tool_Spr::SwapPaletteOrder(palette);
  return document;
}

Bytes Saved(const SprDocument& document) {
  auto bytes = Tool_Spr::SerializeSprite(document);
  return bytes ? *bytes : Bytes{};
}

Bytes WithWidth(std::int16_t width, const Bytes& code) {
  Bytes input{static_cast<std::uint8_t>(width), static_cast<std::uint8_t>(static_cast<std::uint16_t>(width) >> 8)};
  input.insert(input.end(), code.begin(), code.end());
  return input;
}

}  // namespace

SeedSet SpriteSeeds(const Bytes& demoSprite) {
  const Bytes code3x2{5, 0, 2, 7, 8, 9};
  const Bytes raw3x2{1, 2, 3, 4, 5, 6};
  const Bytes raw5x1{9, 0, 0, 8, 7};
  const Bytes loneZero{1, 0};
  const Bytes single{4};
  const Bytes unread{'x', 'y', 'z', 0, 1, 2, 3, 4};
  SeedSet seeds;
  seeds["demo.spr"] = demoSprite;
  seeds["varied.spr"] = Saved(VariedDocument());
  seeds["coded-3x2.spr"] = SprBytes().Header({.FrameCount = 1}).CodedFrame(3, 2, code3x2).TestPalette().Build();
  seeds["raw-frames.spr"] = SprBytes()
                                .Header({.Minor = 0, .FrameCount = 2})
                                .RawFrame(3, 2, raw3x2)
                                .RawFrame(5, 1, raw5x1)
                                .TestPalette()
                                .Build();
  seeds["unread-data.spr"] = SprBytes()
                                 .Header({.FrameCount = 1, .Reserved = {2, 0}})
                                 .CodedFrame(3, 2, code3x2)
                                 .Bytes(unread)
                                 .TestPalette()
                                 .Build();
  seeds["lone-zero.spr"] =
      SprBytes().Header({.FrameCount = 2}).CodedFrame(2, 2, loneZero).CodedFrame(1, 1, single).TestPalette().Build();
  seeds["no-frames.spr"] = SprBytes().Header({}).TestPalette().Build();
  seeds["lower-case-magic.spr"] =
      SprBytes().Header({.Magic = "sp", .FrameCount = 1}).CodedFrame(3, 2, code3x2).TestPalette().Build();
  seeds["cut-short.spr"] = SprBytes().Header({.FrameCount = 1}).CodedFrame(3, 2, code3x2).Build();
  return seeds;
}

SeedSet RleSeeds(const Bytes& demoSprite) {
  SeedSet seeds;
  seeds["rows-3x2"] = WithWidth(3, {5, 0, 2, 7, 8, 9});
  seeds["empty-pair"] = WithWidth(4, {1, 0, 0, 2, 0, 3, 3});
  seeds["long-runs"] = WithWidth(64, {0, 62, 0, 62, 0, 4, 1, 2, 3, 0, 255, 9});
  seeds["short-last-row"] = WithWidth(5, {1, 2, 3, 4, 5, 6, 7});
  seeds["lone-zero"] = WithWidth(2, {1, 0});
  seeds["no-width"] = WithWidth(0, {1, 2});
  seeds["negative-width"] = WithWidth(-3, {1, 2, 0, 4});
  const auto loaded = Tool_Spr::ParseSprite(demoSprite);
  if (loaded) {
    for (std::size_t i = 0; i < loaded->Document.Frames.size(); ++i) {
      const SprFrame& frame = loaded->Document.Frames[i];
      seeds["demo-frame-" + std::to_string(i + 1)] = WithWidth(frame.Width, Tool_Spr::EncodeFrameRle(frame));
    }
  }
  for (const SprFrame& frame : VariedDocument().Frames) {
    seeds["width-" + std::to_string(frame.Width)] = WithWidth(frame.Width, Tool_Spr::EncodeFrameRle(frame));
  }
  return seeds;
}

}  // namespace tessaloom::fuzz
