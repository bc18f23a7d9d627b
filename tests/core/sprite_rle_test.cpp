// The decoder is also compared with a literal reference on arbitrary codes by the
// fuzz target's RLE check (tests/fuzz/rle_check.h), whose kept inputs replay in
// regression_inputs_test.cpp.

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "core/sprite/rle.h"
#include "support/frame_builder.h"

using namespace tessaloom;
using Bytes = std::vector<std::uint8_t>;
using Tool_Spr::DecodeFrameRle;
using Tool_Spr::EncodeFrameRle;

namespace {

SprFrame Frame(int width, int height, const Bytes& topDown) {
  std::vector<Bytes> rows;
  for (int y = 0; y < height; ++y) rows.emplace_back(topDown.begin() + y * width, topDown.begin() + (y + 1) * width);
  return FrameFromRows(rows);
}

// Pixels with zero runs of every length up to a few hundred, so pairs of 62 and runs
// across rows happen often.
Bytes RandomPixels(std::mt19937& random, std::size_t count) {
  Bytes pixels;
  std::uniform_int_distribution<int> kind(0, 3), runLength(1, 200), index(1, 255);
  while (pixels.size() < count) {
    const std::size_t run = std::min<std::size_t>(count - pixels.size(), static_cast<std::size_t>(runLength(random)));
    if (kind(random) == 0) {
      pixels.insert(pixels.end(), run, 0);
    } else {
      for (std::size_t i = 0; i < run % 9 + 1 && pixels.size() < count; ++i) {
        pixels.push_back(static_cast<std::uint8_t>(index(random)));
      }
    }
  }
  return pixels;
}

}  // namespace

TEST(SprRle, DecodesIntoBottomUpPaddedRows) {
  struct Case {
    const char* name;
    Bytes code;
    int width;
    std::optional<Bytes> pixels;
  };
  const Case cases[] = {
      {"3 x 2", {5, 0, 2, 7, 8, 9}, 3, Bytes{7, 8, 9, 0, 5, 0, 0, 0}},
      {"5 x 2: each row with 3 bytes of padding", {1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 5,
       Bytes{6, 7, 8, 9, 10, 0, 0, 0, 1, 2, 3, 4, 5, 0, 0, 0}},
      {"no padding", {1, 2, 3, 4, 5, 6, 7, 8}, 4, Bytes{5, 6, 7, 8, 1, 2, 3, 4}},
      {"a zero run continuing into the next row", {1, 0, 2, 3}, 2, Bytes{0, 3, 0, 0, 1, 0, 0, 0}},
      {"a short last row comes first with its padding", {1, 2, 3, 4}, 3, Bytes{4, 0, 1, 2, 3, 0}},
      {"a short last row without padding", {1, 2, 3, 4, 5}, 4, Bytes{5, 1, 2, 3, 4}},
      {"a zero-count pair yields nothing", {0, 0, 1, 2}, 2, Bytes{1, 2, 0, 0}},
      {"only a zero-count pair", {0, 0}, 2, Bytes{}},
      {"no code", {}, 2, Bytes{}},
      {"a lone trailing zero", {1, 2, 0}, 3, std::nullopt},
      {"a lone zero", {0}, 3, std::nullopt},
      {"a lone trailing zero at width 0", {0, 5, 0}, 0, std::nullopt},
      {"a zero-count pair at the end is whole", {1, 0, 0}, 3, Bytes{1, 0}},
      {"width 0 has no rows", {1, 2, 0, 9}, 0, Bytes{}},
      {"negative width has no rows", {1, 2, 0, 9}, -3, Bytes{}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DecodeFrameRle(c.code, c.width), c.pixels);
  }
}

TEST(SprRle, EncodesRowsTopDownWithZeroRunsOfAtMost62) {
  EXPECT_EQ(EncodeFrameRle(Frame(3, 2, {5, 0, 0, 7, 8, 9})), (Bytes{5, 0, 2, 7, 8, 9}));
  EXPECT_EQ(EncodeFrameRle(Frame(62, 1, Bytes(62, 0))), (Bytes{0, 62}));
  EXPECT_EQ(EncodeFrameRle(Frame(63, 1, Bytes(63, 0))), (Bytes{0, 62, 0, 1}));
  EXPECT_EQ(EncodeFrameRle(Frame(10, 10, Bytes(100, 0))), (Bytes{0, 62, 0, 38}));
  EXPECT_EQ(EncodeFrameRle(Frame(31, 4, Bytes(124, 0))), (Bytes{0, 62, 0, 62}));
  EXPECT_EQ(EncodeFrameRle(Frame(1, 1, {0})), (Bytes{0, 1}));
  EXPECT_EQ(EncodeFrameRle(Frame(3, 1, {3, 0, 4})), (Bytes{3, 0, 1, 4}));
  Bytes sixtyTwoThenSeven(62, 0);
  sixtyTwoThenSeven.push_back(7);
  EXPECT_EQ(EncodeFrameRle(Frame(63, 1, sixtyTwoThenSeven)), (Bytes{0, 62, 7}));
  // Runs continue across rows.
  EXPECT_EQ(EncodeFrameRle(Frame(3, 2, {1, 0, 0, 0, 0, 2})), (Bytes{1, 0, 4, 2}));
}

TEST(SprRle, EncodingIgnoresPaddingAndReadsMissingPixelsAsZero) {
  EXPECT_EQ(EncodeFrameRle(FrameFromRows({{5, 0, 0}, {7, 8, 9}}, 0xEE)), (Bytes{5, 0, 2, 7, 8, 9}));
  SprFrame shortFrame{.Width = 3, .Height = 2, .Pixels = {7}};
  EXPECT_EQ(EncodeFrameRle(shortFrame), (Bytes{0, 3, 7, 0, 2}));
  shortFrame.Pixels.clear();
  EXPECT_EQ(EncodeFrameRle(shortFrame), (Bytes{0, 6}));
  EXPECT_EQ(EncodeFrameRle(SprFrame{.Width = 0, .Height = 5}), Bytes{});
  EXPECT_EQ(EncodeFrameRle(SprFrame{.Width = -2, .Height = 5, .Pixels = {1, 2}}), Bytes{});
}

TEST(SprRle, RandomFramesRoundTripWithShortZeroRuns) {
  std::mt19937 random(7);
  for (int width = 1; width <= 9; ++width) {
    for (int height : {1, 2, 3, 7, 40}) {
      SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
      const SprFrame frame = Frame(width, height, RandomPixels(random, static_cast<std::size_t>(width * height)));
      const Bytes code = EncodeFrameRle(frame);
      for (std::size_t at = 0; at < code.size(); ++at) {
        if (code[at] != 0) continue;
        ASSERT_TRUE(at + 1 < code.size() && code[at + 1] >= 1 && code[at + 1] <= 62) << at;
        ++at;
      }
      EXPECT_EQ(DecodeFrameRle(code, width), frame.Pixels);
    }
  }
}
