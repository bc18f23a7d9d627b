#include <gtest/gtest.h>

#include <numeric>

#include "core/convert/converter_gif.h"
#include "support/bmp_bytes.h"

using namespace tessaloom;
using Converter_Gif::EncodeAnimatedGif;
using Converter_Gif::EncodeGif;

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kTableEnd = 6 + 7 + 768;
constexpr std::size_t kStillDataStart = kTableEnd + 8 + 10 + 1;  // transparent: after the extension

// A frame whose only image row is `row`.
SprFrame RowFrame(const Bytes& row) {
  SprFrame frame{.Width = static_cast<std::int16_t>(row.size()), .Height = 1, .Pixels = row};
  frame.Pixels.resize(static_cast<std::size_t>(RowStride(frame.Width)), 0);
  return frame;
}

Bytes Slice(const Bytes& bytes, std::size_t from, std::size_t size) {
  return {bytes.begin() + static_cast<std::ptrdiff_t>(from), bytes.begin() + static_cast<std::ptrdiff_t>(from + size)};
}

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

Bytes ColorTable(const Bytes& palette) {
  Bytes table;
  for (std::size_t at = 0; at < 1024; at += 4) table.insert(table.end(), {palette[at + 2], palette[at + 1], palette[at]});
  return table;
}

// The data sub-blocks from `at` up to the terminator, joined; `at` moves past the terminator.
Bytes JoinSubBlocks(const Bytes& gif, std::size_t& at) {
  Bytes data;
  while (gif.at(at) != 0) {
    const std::size_t size = gif[at];
    data.insert(data.end(), gif.begin() + static_cast<std::ptrdiff_t>(at + 1),
                gif.begin() + static_cast<std::ptrdiff_t>(at + 1 + size));
    at += size + 1;
  }
  ++at;
  return data;
}

// 9-bit codes, least significant bit first, up to and including the end code 257.
std::vector<int> UnpackCodes(const Bytes& data) {
  std::vector<int> codes;
  for (std::size_t bit = 0; bit + 9 <= data.size() * 8 && (codes.empty() || codes.back() != 257); bit += 9) {
    int code = 0;
    for (int i = 0; i < 9; ++i) code |= ((data[(bit + i) / 8] >> ((bit + i) % 8)) & 1) << i;
    codes.push_back(code);
  }
  return codes;
}

std::vector<int> StillCodes(const SprFrame& frame) {
  std::size_t at = kStillDataStart;
  return UnpackCodes(JoinSubBlocks(EncodeGif(SprHeader{.Palette = GradientTable(256)}, frame, true), at));
}

}  // namespace

TEST(GifStill, MatchesTheByteSequenceOfA4x1Frame) {
  const Bytes palette = GradientTable(256);
  const SprFrame frame{.Width = 4, .Height = 1, .Pixels = {1, 1, 1, 1}};
  const Bytes tail{0x2C, 0, 0, 0, 0, 4, 0, 1, 0, 0x07, 0x08, 0x06, 0x00, 0x03, 0x08, 0x0C, 0x10, 0x10, 0x00, 0x3B};
  const Bytes screen{'G', 'I', 'F', '8', '9', 'a', 4, 0, 1, 0, 0xF7, 0, 0};
  const Bytes control{0x21, 0xF9, 0x04, 0x09, 0, 0, 0, 0};
  EXPECT_EQ(EncodeGif(SprHeader{.Palette = palette}, frame, true), Concat({screen, ColorTable(palette), control, tail}));

  Bytes screen87 = screen;
  screen87[4] = '7';
  EXPECT_EQ(EncodeGif(SprHeader{.Palette = palette}, frame, false), Concat({screen87, ColorTable(palette), tail}));
}

TEST(GifStill, WritesTheColourTableAsRedGreenBlueWithMissingEntriesBlack) {
  const Bytes twoEntries{0, 0, 0, 0, 0x10, 0x20, 0x30, 0};  // entry 1: blue, green, red, x
  Bytes expected(768, 0);
  expected[3] = 0x30, expected[4] = 0x20, expected[5] = 0x10;
  EXPECT_EQ(Slice(EncodeGif(SprHeader{.Palette = twoEntries}, RowFrame({1}), false), 13, 768), expected);
  EXPECT_EQ(Slice(EncodeGif(SprHeader{}, RowFrame({1}), false), 13, 768), Bytes(768, 0));
}

TEST(GifStill, CodesAnEmptyImageAsTheEndCodeAlone) {
  const Bytes gif = EncodeGif(SprHeader{}, SprFrame{.Width = 3, .Height = 0}, true);
  EXPECT_EQ(Slice(gif, kStillDataStart - 1, gif.size() - kStillDataStart + 1),
            (Bytes{0x08, 0x02, 0x01, 0x01, 0x00, 0x3B}));
}

TEST(GifStill, SplitsSubBlocksAt255BytesWithoutAnEmptyOne) {
  // A row of distinct pairs misses at every pixel: 224 pixels give 226 codes of 9 bits, 255 bytes.
  Bytes row(224);
  std::iota(row.begin(), row.end(), 0);
  Bytes gif = EncodeGif(SprHeader{}, RowFrame(row), true);
  ASSERT_EQ(gif.size(), kStillDataStart + 1 + 255 + 2);
  EXPECT_EQ(gif[kStillDataStart], 255);
  EXPECT_EQ(Slice(gif, gif.size() - 2, 2), (Bytes{0x00, 0x3B}));

  row.push_back(224);  // 227 codes: 256 bytes
  gif = EncodeGif(SprHeader{}, RowFrame(row), true);
  ASSERT_EQ(gif.size(), kStillDataStart + 1 + 255 + 2 + 2);
  EXPECT_EQ(gif[kStillDataStart], 255);
  EXPECT_EQ(gif[kStillDataStart + 256], 1);
  EXPECT_EQ(Slice(gif, gif.size() - 2, 2), (Bytes{0x00, 0x3B}));
}

TEST(GifStill, ClearsAFullDictionaryAfterCode510AndStartsAgainAt258) {
  Bytes row(300);
  for (std::size_t x = 0; x < row.size(); ++x) row[x] = static_cast<std::uint8_t>(x);
  row.insert(row.end(), {7, 7, 7, 7});
  // Every pair up to pixel 299 is new: pixels 1..253 add the entries 258..510, pixel 254
  // finds the table full (its code, then a clear), and pixel 255 adds 258 again.
  std::vector<int> expected{256};
  for (int pixel = 0; pixel <= 253; ++pixel) expected.push_back(pixel);
  expected.push_back(256);
  for (int x = 254; x <= 299; ++x) expected.push_back(x % 256);
  // Since the clear, entries 258..303 were added; (7, 7) is 304, found once and emitted.
  expected.insert(expected.end(), {7, 304, 7, 257});
  EXPECT_EQ(StillCodes(RowFrame(row)), expected);
}

TEST(GifStill, CodesRowsTopFirstEachWithItsOwnDictionary) {
  // Stored bottom-up: the top image row is the last stored row.
  const SprFrame frame{.Width = 2, .Height = 2, .Pixels = {5, 5, 0, 0, 9, 9, 0, 0}};
  EXPECT_EQ(StillCodes(frame), (std::vector<int>{256, 9, 9, 256, 5, 5, 257}));
  // Pixels shorter than the frame read as 0.
  const SprFrame cut{.Width = 3, .Height = 2, .Pixels = {4, 4, 4, 0, 6}};
  EXPECT_EQ(StillCodes(cut), (std::vector<int>{256, 6, 0, 0, 256, 4, 258, 257}));
}

// The animation's width (the stored rows) is checked with its descriptors below.
TEST(GifStill, IsAsWideAsTheFrameNotItsStoredRows) {
  const Bytes still = EncodeGif(SprHeader{}, SprFrame{.Width = 5, .Height = 2, .Pixels = Bytes(16, 3)}, false);
  EXPECT_EQ(Slice(still, 6, 4), (Bytes{5, 0, 2, 0}));
  EXPECT_EQ(Slice(still, kTableEnd, 10), (Bytes{0x2C, 0, 0, 0, 0, 5, 0, 2, 0, 0x07}));
}

TEST(GifAnimated, LoopsForeverWithOneSecondPerFrameOnTheLargestScreen) {
  const Bytes palette = GradientTable(256);
  const std::vector<SprFrame> frames{SprFrame{.Width = 5, .Height = 1, .Pixels = {1, 2, 3, 4, 5, 0, 0, 0}},
                                     SprFrame{.Width = 3, .Height = 4, .Pixels = Bytes(16, 2)},
                                     SprFrame{.Width = 2, .Height = 0}};
  for (bool transparent : {true, false}) {
    int calls = 0;
    auto gif = EncodeAnimatedGif(SprHeader{.Palette = palette}, frames, transparent, [&] { ++calls; });
    ASSERT_TRUE(gif);
    EXPECT_EQ(calls, 3);
    const Bytes screen{'G', 'I', 'F', '8', '9', 'a', 8, 0, 4, 0, 0xF7, 0, 0};
    const Bytes loop{0x21, 0xFF, 11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 3, 1, 0, 0, 0};
    EXPECT_EQ(Slice(*gif, 0, kTableEnd + 19), Concat({screen, ColorTable(palette), loop}));

    const Bytes control{0x21, 0xF9, 4, static_cast<std::uint8_t>(transparent ? 0x09 : 0x08), 100, 0, 0, 0};
    const std::vector<Bytes> descriptors{{0x2C, 0, 0, 0, 0, 8, 0, 1, 0, 7}, {0x2C, 0, 0, 0, 0, 4, 0, 4, 0, 7},
                                         {0x2C, 0, 0, 0, 0, 2, 0, 0, 0, 7}};
    std::size_t at = kTableEnd + 19;
    for (const Bytes& descriptor : descriptors) {
      EXPECT_EQ(Slice(*gif, at, 18), Concat({control, descriptor}));
      EXPECT_EQ((*gif)[at + 18], 8);
      at += 19;
      JoinSubBlocks(*gif, at);
    }
    EXPECT_EQ(Slice(*gif, at, gif->size() - at), Bytes{0x3B});
  }
}

TEST(GifAnimated, CodesPaddingColumnsAndReadsPastThePixelsAsZero) {
  // The second frame's 5 bytes make rows of 3 (the smallest width >= 3 holding them).
  const std::vector<SprFrame> frames{SprFrame{.Width = 2, .Height = 2, .Pixels = {1, 1, 0, 0, 2, 2, 0, 0}},
                                     SprFrame{.Width = 3, .Height = 2, .Pixels = {1, 2, 3, 4, 5}}};
  auto gif = EncodeAnimatedGif(SprHeader{.Palette = GradientTable(256)}, frames, true);
  ASSERT_TRUE(gif);
  std::size_t at = kTableEnd + 19 + 8;
  EXPECT_EQ(Slice(*gif, at + 5, 2), (Bytes{4, 0}));
  at += 11;
  EXPECT_EQ(UnpackCodes(JoinSubBlocks(*gif, at)), (std::vector<int>{256, 2, 2, 0, 0, 256, 1, 1, 0, 0, 257}));
  at += 8;
  EXPECT_EQ(Slice(*gif, at + 5, 2), (Bytes{3, 0}));
  at += 11;
  EXPECT_EQ(UnpackCodes(JoinSubBlocks(*gif, at)), (std::vector<int>{256, 4, 5, 0, 256, 1, 2, 3, 257}));
}

TEST(GifAnimated, RefusesASpriteWithoutPaletteAndWritesAnEmptyAnimation) {
  const std::vector<SprFrame> frames{SprFrame{.Width = 1, .Height = 1, .Pixels = {1, 0, 0, 0}}};
  auto refused = EncodeAnimatedGif(SprHeader{}, frames, true);
  ASSERT_FALSE(refused);
  EXPECT_EQ(refused.error().title, "Export error");
  EXPECT_FALSE(refused.error().text.empty());

  auto empty = EncodeAnimatedGif(SprHeader{.Palette = GradientTable(256)}, {}, true);
  ASSERT_TRUE(empty);
  EXPECT_EQ(empty->size(), kTableEnd + 19 + 1);
  EXPECT_EQ(Slice(*empty, 6, 4), (Bytes{0, 0, 0, 0}));
  EXPECT_EQ(empty->back(), 0x3B);
}
