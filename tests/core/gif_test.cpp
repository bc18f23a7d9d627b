#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <array>
#include <optional>

#include "core/convert/converter_gif.h"
#include "core/generators.h"
#include "support/bmp_bytes.h"

using namespace tessaloom;
using Converter_Gif::EncodeAnimatedGif;
using Converter_Gif::EncodeGif;
using Bytes = std::vector<std::uint8_t>;

namespace {

constexpr std::size_t kTableEnd = 6 + 7 + 768;
const SprHeader kHeader{.Palette = GradientTable(256)};

Bytes Slice(const Bytes& bytes, std::size_t from, std::size_t size) {
  return {bytes.begin() + static_cast<std::ptrdiff_t>(from), bytes.begin() + static_cast<std::ptrdiff_t>(from + size)};
}

Bytes Concat(const std::vector<Bytes>& parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

Bytes ColorTable(const Bytes& palette) {
  Bytes table;
  for (std::size_t at = 0; at < 1024; at += 4) table.insert(table.end(), {palette[at + 2], palette[at + 1], palette[at]});
  return table;
}

// The image data of a still GIF of `frame`, from its code size to its terminator.
Bytes StillImageData(const SprFrame& frame) {
  const Bytes gif = EncodeGif(kHeader, frame, false);
  return Slice(gif, kTableEnd + 10, gif.size() - kTableEnd - 11);
}

// The 9-bit codes of image data (code size, sub-blocks, terminator), up to the end code.
std::vector<std::size_t> CodesOf(const Bytes& imageData) {
  Bytes data;
  for (std::size_t at = 1, size; (size = imageData.at(at)) != 0; at += size + 1)
    data.insert(data.end(), imageData.begin() + static_cast<std::ptrdiff_t>(at + 1),
                imageData.begin() + static_cast<std::ptrdiff_t>(at + 1 + size));
  std::vector<std::size_t> codes;
  for (std::size_t bit = 0; bit + 9 <= data.size() * 8 && (codes.empty() || codes.back() != 257); bit += 9) {
    std::size_t code = 0;
    for (std::size_t i = 0; i < 9; ++i) code |= ((data[(bit + i) / 8] >> ((bit + i) % 8)) & 1u) << i;
    codes.push_back(code);
  }
  return codes;
}

// Reads the image data at `at` (code size, sub-blocks, terminator) and moves past it.
// Returns the pixels its codes stand for, or nullopt where it breaks a rule of the
// coder (gif_lzw.h): 9-bit codes only, rows of `width` each starting with a clear code,
// full sub-blocks but the last.
std::optional<Bytes> ReadImage(const Bytes& gif, std::size_t& at, std::size_t width) {
  if (gif.at(at++) != 8) return std::nullopt;
  Bytes data;
  for (std::size_t size; (size = gif.at(at)) != 0; at += size + 1) {
    if (size != 255 && gif.at(at + size + 1) != 0) return std::nullopt;
    const auto block = gif.begin() + static_cast<std::ptrdiff_t>(at + 1);
    data.insert(data.end(), block, block + static_cast<std::ptrdiff_t>(size));
  }
  ++at;
  std::vector<Bytes> table;
  Bytes pixels, previous;
  for (std::size_t bit = 0; bit + 9 <= data.size() * 8; bit += 9) {
    std::size_t code = 0;
    for (std::size_t i = 0; i < 9; ++i) code |= ((data[(bit + i) / 8] >> ((bit + i) % 8)) & 1u) << i;
    if (code == 257) return pixels;
    if (code == 256) {
      table.assign(258, {});
      for (int i = 0; i < 256; ++i) table[i] = {static_cast<std::uint8_t>(i)};
      previous.clear();
      continue;
    }
    if (code > table.size() || (pixels.size() % width == 0 && !previous.empty())) return std::nullopt;
    const Bytes entry = code < table.size() ? table[code] : Concat({previous, {previous.at(0)}});
    if (pixels.size() % width + entry.size() > width) return std::nullopt;
    if (!previous.empty()) table.push_back(Concat({previous, {entry[0]}}));
    if (table.size() > 511) return std::nullopt;
    pixels.insert(pixels.end(), entry.begin(), entry.end());
    previous = entry;
  }
  return std::nullopt;
}

}  // namespace

// Rows long enough to fill the dictionary, which is cleared and started again. Qt's
// reader decodes these files too; this reader also holds the coder to its own rules.
RC_GTEST_PROP(GifStill, CodesEveryFrameByTheCodersRules, (bool transparent)) {
  const auto rows = *gen::Rows(700, 12, 2);
  const SprFrame frame = FrameFromRows(rows);
  const Bytes gif = EncodeGif(kHeader, frame, transparent);
  std::size_t at = kTableEnd + (transparent ? 8 : 0) + 10;
  RC_ASSERT(ReadImage(gif, at, rows[0].size()) == Concat(rows));
  RC_ASSERT(Slice(gif, at, gif.size() - at) == Bytes{0x3B});
}

// Narrow rows are coded in groups, the background they start or end with read
// without a look; each row still gets the codes it gets alone. Rows here are set in
// backgrounds of their own width, some are all background.
RC_GTEST_PROP(GifStill, CodesEachRowAsIfItStoodAlone, ()) {
  auto rows = *gen::Rows(200, 20, 2);
  const auto margin = *rc::gen::inRange<std::ptrdiff_t>(0, 60);
  for (Bytes& row : rows) {
    if (*rc::gen::inRange(0, 8) == 0) std::ranges::fill(row, 0);
    const auto before = *rc::gen::inRange<std::ptrdiff_t>(0, margin + 1);
    row.insert(row.begin(), before, 0);
    row.insert(row.end(), margin - before, 0);
  }
  std::vector<std::size_t> alone;
  for (const Bytes& row : rows) {
    std::vector<std::size_t> codes = CodesOf(StillImageData(FrameFromRows({row})));
    alone.insert(alone.end(), codes.begin(), codes.end() - 1);
  }
  alone.push_back(257);
  RC_ASSERT(CodesOf(StillImageData(FrameFromRows(rows))) == alone);
}

TEST(GifStill, MatchesTheByteSequenceOfA4x1FrameAndAnEmptyOne) {
  const SprFrame frame{.Width = 4, .Height = 1, .Pixels = {1, 1, 1, 1}};
  const Bytes tail{0x2C, 0, 0, 0, 0, 4, 0, 1, 0, 0x07, 0x08, 0x06, 0x00, 0x03, 0x08, 0x0C, 0x10, 0x10, 0x00, 0x3B};
  Bytes screen{'G', 'I', 'F', '8', '9', 'a', 4, 0, 1, 0, 0xF7, 0, 0};
  const Bytes control{0x21, 0xF9, 0x04, 0x09, 0, 0, 0, 0};
  EXPECT_EQ(EncodeGif(kHeader, frame, true), Concat({screen, ColorTable(kHeader.Palette), control, tail}));
  screen[4] = '7';
  EXPECT_EQ(EncodeGif(kHeader, frame, false), Concat({screen, ColorTable(kHeader.Palette), tail}));
  const Bytes empty = EncodeGif(kHeader, SprFrame{.Width = 3, .Height = 0}, false);
  EXPECT_EQ(Slice(empty, kTableEnd + 10, 6), (Bytes{0x08, 0x02, 0x01, 0x01, 0x00, 0x3B}));  // the end code alone
}

// A frame is as wide as its stored rows, padding columns included; short pixels read as 0.
TEST(GifAnimated, LoopsForeverWithOneSecondPerFrameOnTheLargestScreen) {
  const std::vector<SprFrame> frames{FrameFromRows({{1, 2, 3, 4, 5}}),
                                     SprFrame{.Width = 3, .Height = 2, .Pixels = {1, 2, 3, 4, 5}},
                                     SprFrame{.Width = 2, .Height = 0}};
  // Each image is coded as the still GIF of its stored rows.
  const std::vector<std::pair<Bytes, SprFrame>> images{{{8, 0, 1, 0}, FrameFromRows({{1, 2, 3, 4, 5, 0, 0, 0}})},
                                                       {{3, 0, 2, 0}, FrameFromRows({{4, 5, 0}, {1, 2, 3}})},
                                                       {{2, 0, 0, 0}, SprFrame{.Width = 2, .Height = 0}}};
  for (bool transparent : {true, false}) {
    auto gif = EncodeAnimatedGif(kHeader, frames, transparent);
    ASSERT_TRUE(gif);
    const Bytes screen{'G', 'I', 'F', '8', '9', 'a', 8, 0, 2, 0, 0xF7, 0, 0};
    const Bytes loop{0x21, 0xFF, 11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 3, 1, 0, 0, 0};
    EXPECT_EQ(Slice(*gif, 0, kTableEnd + 19), Concat({screen, ColorTable(kHeader.Palette), loop}));
    const Bytes control{0x21, 0xF9, 4, static_cast<std::uint8_t>(transparent ? 0x09 : 0x08), 100, 0, 0, 0};
    std::size_t at = kTableEnd + 19;
    for (const auto& [size, still] : images) {
      EXPECT_EQ(Slice(*gif, at, 18), Concat({control, {0x2C, 0, 0, 0, 0}, size, {7}}));
      const Bytes data = StillImageData(still);
      EXPECT_EQ(Slice(*gif, at + 18, data.size()), data);
      at += 18 + data.size();
    }
    EXPECT_EQ(Slice(*gif, at, gif->size() - at), Bytes{0x3B});
  }
}

// The colour table's entries, then the graphic control and image descriptor of each
// frame of a compact animation: {packed, transparent index, left, top, width, height}.
std::vector<std::array<int, 6>> CompactFrames(const std::vector<SprFrame>& frames, bool transparent) {
  const Bytes gif = EncodeAnimatedGif(kHeader, frames, transparent, Converter_Gif::GifCoding::Compact).value();
  const int entries = 2 << (gif.at(10) & 7);
  std::vector<std::array<int, 6>> found{{entries}};
  for (std::size_t at = 13 + 3 * entries + 19; gif.at(at) == 0x21; ++at) {
    const auto word = [&](std::size_t from) { return gif.at(from) | gif.at(from + 1) << 8; };
    found.push_back({gif[at + 3], gif[at + 6], word(at + 9), word(at + 11), word(at + 13), word(at + 15)});
    for (at += 19; gif.at(at) != 0; at += gif[at] + 1) {}
  }
  return found;
}

// The table holds the 8 indices used, and room for a spare one when opaque. Kept (4) with
// what repeats transparent (+1), or restored (8) before a pixel turns to background;
// a frame without change is one pixel. Index 0 stays transparent; an opaque
// animation takes an index of the table that the changed pixels leave unused, and
// none on a frame it restores.
TEST(GifAnimated, CompactFramesHoldWhatChangedAndRestoreWhatVanishes) {
  const SprFrame big = FrameFromRows({{1, 2, 3, 4}, {5, 6, 7, 1}});
  const std::vector<SprFrame> frames{big, big, FrameFromRows({{0, 2, 1, 4}, {5, 6, 7, 1}}), big, SolidFrame(2, 1, 1)};
  EXPECT_EQ(CompactFrames(frames, true),
            (std::vector<std::array<int, 6>>{{8}, {5, 0, 0, 0, 4, 2}, {9, 0, 0, 0, 1, 1}, {5, 0, 2, 0, 1, 1},
                                             {9, 0, 0, 0, 4, 2}, {9, 0, 0, 0, 2, 1}}));
  EXPECT_EQ(CompactFrames(frames, false),
            (std::vector<std::array<int, 6>>{{16}, {4, 0, 0, 0, 4, 2}, {5, 0, 0, 0, 1, 1}, {5, 2, 0, 0, 3, 1},
                                             {8, 0, 0, 0, 4, 2}, {8, 0, 0, 0, 4, 1}}));
}

// A compact animation's colour table is made before its frames are seen (a file read
// twice, which may have changed in between): a frame with another colour is refused.
TEST(GifAnimated, RefusesASpriteWithoutPaletteOrAFrameOutsideItsColourTable) {
  auto refused = EncodeAnimatedGif(SprHeader{}, std::vector<SprFrame>{SolidFrame(1, 1, 1)}, true);
  ASSERT_FALSE(refused);
  EXPECT_EQ(refused.error().title, "Export error");

  const Converter_Gif::AnimationSettings settings{
      .Width = 4, .Height = 1, .Coding = Converter_Gif::GifCoding::Compact, .Used = Converter_Gif::UsedIndices{0b10}};
  auto encoder = Converter_Gif::AnimationEncoder::Start(kHeader, settings, [](auto) { return Status{}; });
  const Bytes known{1, 1, 1, 1}, unknown{1, 5, 1, 1};
  ASSERT_TRUE(encoder && encoder->Add({.Pixels = known, .Stride = 4, .Width = 4, .Height = 1}));
  EXPECT_EQ(encoder->Add({.Pixels = unknown, .Stride = 4, .Width = 4, .Height = 1}).error().text,
            "A frame holds a colour the animation's colour table lacks");
}
