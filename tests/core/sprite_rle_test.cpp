#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "sprite/rle.h"
#include "support/frame_builder.h"

using namespace tessaloom;
using Bytes = std::vector<std::uint8_t>;
using Tool_Spr::DecodeFrameRle;
using Tool_Spr::EncodeFrameRle;

namespace {

// The decoding rule written out step by step: expand, cut into rows of `width`, then put
// each row with its padding in front of the rows before it.
std::optional<Bytes> ReferenceDecode(const Bytes& code, int width) {
  Bytes expanded;
  for (std::size_t i = 0; i < code.size(); ++i) {
    if (code[i] != 0) {
      expanded.push_back(code[i]);
    } else {
      if (i + 1 == code.size()) return std::nullopt;
      expanded.insert(expanded.end(), code[++i], 0);
    }
  }
  const std::size_t padding = static_cast<std::size_t>(RowStride(width) - width);
  Bytes result;
  for (std::size_t start = 0; start < expanded.size(); start += static_cast<std::size_t>(width)) {
    const std::size_t end = std::min(expanded.size(), start + static_cast<std::size_t>(width));
    Bytes row(expanded.begin() + static_cast<std::ptrdiff_t>(start), expanded.begin() + static_cast<std::ptrdiff_t>(end));
    row.insert(row.end(), padding, 0);
    result.insert(result.begin(), row.begin(), row.end());
  }
  return result;
}

// The coding rule written out byte by byte over the rows top-down.
Bytes ReferenceEncode(const Bytes& topDown) {
  Bytes code;
  int zeros = 0;
  for (std::uint8_t pixel : topDown) {
    if (pixel == 0) {
      if (++zeros == 62) {
        code.insert(code.end(), {0, 62});
        zeros = 0;
      }
      continue;
    }
    if (zeros > 0) code.insert(code.end(), {0, static_cast<std::uint8_t>(zeros)});
    zeros = 0;
    code.push_back(pixel);
  }
  if (zeros > 0) code.insert(code.end(), {0, static_cast<std::uint8_t>(zeros)});
  return code;
}

std::vector<Bytes> Rows(int width, int height, const Bytes& topDown) {
  std::vector<Bytes> rows;
  for (int y = 0; y < height; ++y) {
    rows.emplace_back(topDown.begin() + y * width, topDown.begin() + (y + 1) * width);
  }
  return rows;
}

SprFrame Frame(int width, int height, const Bytes& topDown) { return FrameFromRows(Rows(width, height, topDown)); }

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
  EXPECT_EQ(DecodeFrameRle(Bytes{5, 0, 2, 7, 8, 9}, 3), (Bytes{7, 8, 9, 0, 5, 0, 0, 0}));
  // 5 x 2: the second image row, 3 zeros, the first image row, 3 zeros.
  EXPECT_EQ(DecodeFrameRle(Bytes{1, 2, 3, 4, 5, 6, 7, 8, 9, 10}, 5),
            (Bytes{6, 7, 8, 9, 10, 0, 0, 0, 1, 2, 3, 4, 5, 0, 0, 0}));
  EXPECT_EQ(DecodeFrameRle(Bytes{1, 2, 3, 4, 5, 6, 7, 8}, 4), (Bytes{5, 6, 7, 8, 1, 2, 3, 4}));
  // A zero run that continues into the next row.
  EXPECT_EQ(DecodeFrameRle(Bytes{1, 0, 2, 3}, 2), (Bytes{0, 3, 0, 0, 1, 0, 0, 0}));
}

TEST(SprRle, ShortLastRowComesFirstWithItsPadding) {
  EXPECT_EQ(DecodeFrameRle(Bytes{1, 2, 3, 4}, 3), (Bytes{4, 0, 1, 2, 3, 0}));
  EXPECT_EQ(DecodeFrameRle(Bytes{1, 2, 3, 4, 5}, 4), (Bytes{5, 1, 2, 3, 4}));
}

TEST(SprRle, ZeroCountPairYieldsNothing) {
  EXPECT_EQ(DecodeFrameRle(Bytes{0, 0, 1, 2}, 2), (Bytes{1, 2, 0, 0}));
  EXPECT_EQ(DecodeFrameRle(Bytes{0, 0}, 2), Bytes{});
  EXPECT_EQ(DecodeFrameRle(Bytes{}, 2), Bytes{});
}

TEST(SprRle, LoneTrailingZeroCannotBeDecoded) {
  EXPECT_EQ(DecodeFrameRle(Bytes{1, 2, 0}, 3), std::nullopt);
  EXPECT_EQ(DecodeFrameRle(Bytes{0}, 3), std::nullopt);
  EXPECT_EQ(DecodeFrameRle(Bytes{0, 5, 0}, 0), std::nullopt);
  EXPECT_NE(DecodeFrameRle(Bytes{1, 0, 0}, 3), std::nullopt);
}

TEST(SprRle, NonPositiveWidthHasNoRows) {
  EXPECT_EQ(DecodeFrameRle(Bytes{1, 2, 0, 9}, 0), Bytes{});
  EXPECT_EQ(DecodeFrameRle(Bytes{1, 2, 0, 9}, -3), Bytes{});
}

TEST(SprRle, DecodingMatchesTheRuleOnRandomCodes) {
  std::mt19937 random(20240611);
  std::uniform_int_distribution<int> byte(0, 255), zeroChance(0, 3);
  for (int width = 1; width <= 9; ++width) {
    for (int trial = 0; trial < 40; ++trial) {
      Bytes code;
      const int length = byte(random);
      for (int i = 0; i < length; ++i) code.push_back(zeroChance(random) == 0 ? 0 : static_cast<std::uint8_t>(byte(random)));
      if (!code.empty() && code.back() == 0 && trial % 2 == 0) code.push_back(static_cast<std::uint8_t>(byte(random)));
      EXPECT_EQ(DecodeFrameRle(code, width), ReferenceDecode(code, width)) << "width " << width << " trial " << trial;
    }
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

TEST(SprRle, RandomFramesEncodeByTheRuleAndDecodeBack) {
  std::mt19937 random(7);
  for (int width = 1; width <= 9; ++width) {
    for (int height : {1, 2, 3, 7, 40}) {
      const Bytes topDown = RandomPixels(random, static_cast<std::size_t>(width * height));
      const SprFrame frame = Frame(width, height, topDown);
      const Bytes code = EncodeFrameRle(frame);
      EXPECT_EQ(code, ReferenceEncode(topDown)) << width << " x " << height;
      EXPECT_EQ(DecodeFrameRle(code, width), frame.Pixels) << width << " x " << height;
    }
  }
}
