#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include "core/generators.h"
#include "core/sprite/rle.h"
#include "fuzz/rle_check.h"

using namespace tessaloom;
using Bytes = std::vector<std::uint8_t>;
using Tool_Spr::DecodeFrameRle;
using Tool_Spr::EncodeFrameRle;

// The fuzz target's check: the decoder against a plain reading of the rule, and a
// decoded frame that fills whole rows coded and decoded again.
RC_GTEST_PROP(SprRle, AnyCodeDecodesAsThePlainRuleSays, ()) {
  const auto width = *rc::gen::inRange<std::int16_t>(-2, 13);
  const auto problem = fuzz::CheckRle(fuzz::RleInput(width, *rc::gen::container<Bytes>(gen::Index(2))));
  RC_ASSERT(problem.value_or("") == "");
}

// Neither the row padding nor pixels missing from a short frame are read: they code as 0.
RC_GTEST_PROP(SprRle, FramesRoundTripWithZeroRunsOfAtMost62, ()) {
  const auto rows = *gen::Rows(70, 5);
  const SprFrame frame = FrameFromRows(rows);
  const Bytes code = EncodeFrameRle(frame);
  RC_ASSERT(fuzz::CheckZeroPairs(code).value_or("") == "");
  RC_ASSERT(DecodeFrameRle(code, frame.Width) == frame.Pixels);

  SprFrame stored = FrameFromRows(rows, 0xEE);
  const auto cut = *rc::gen::inRange<std::size_t>(0, stored.Pixels.size() + 1);
  stored.Pixels.resize(cut);
  SprFrame expected = frame;
  std::fill(expected.Pixels.begin() + static_cast<std::ptrdiff_t>(cut), expected.Pixels.end(), 0);
  RC_ASSERT(EncodeFrameRle(stored) == EncodeFrameRle(expected));
}

TEST(SprRle, EncodesRowsTopDownWithTheLongestZeroPairs) {
  EXPECT_EQ(EncodeFrameRle(FrameFromRows({{5, 0, 0}, {7, 8, 9}})), (Bytes{5, 0, 2, 7, 8, 9}));
  EXPECT_EQ(EncodeFrameRle(SolidFrame(63, 1, 0)), (Bytes{0, 62, 0, 1}));
  EXPECT_EQ(EncodeFrameRle(SolidFrame(31, 4, 0)), (Bytes{0, 62, 0, 62}));
  EXPECT_EQ(EncodeFrameRle(FrameFromRows({{1, 0, 0}, {0, 0, 2}})), (Bytes{1, 0, 4, 2}));
  EXPECT_EQ(EncodeFrameRle(SprFrame{.Width = 0, .Height = 5}), Bytes{});
  EXPECT_EQ(EncodeFrameRle(SprFrame{.Width = -2, .Height = 5, .Pixels = {1, 2}}), Bytes{});
}
