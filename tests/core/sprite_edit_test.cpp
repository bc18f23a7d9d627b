#include <gtest/gtest.h>

#include "core/sprite/spr_edit.h"
#include "support/frame_builder.h"

using namespace tessaloom;
using namespace tessaloom::Tool_Spr;

namespace {

// Frames told apart by their one pixel.
SprDocument DocumentOfFrames(int count) {
  std::vector<SprFrame> frames;
  for (int i = 1; i <= count; ++i) frames.push_back(SolidFrame(1, 1, static_cast<std::uint8_t>(i)));
  return SpriteOf(std::move(frames));
}

std::vector<int> Order(const SprDocument& document) {
  std::vector<int> order;
  for (const SprFrame& frame : document.Frames) order.push_back(frame.Pixels.at(0));
  return order;
}

}  // namespace

TEST(SprEdit, InsertFrameGoesAfterTheGivenFrameAndNumbersTheLast) {
  SprDocument document = DocumentOfFrames(3);
  ASSERT_TRUE(InsertFrame(document, 2, SolidFrame(1, 1, 9)));
  ASSERT_TRUE(InsertFrame(document, 4, SolidFrame(1, 1, 8)));
  ASSERT_TRUE(InsertFrame(document, 0, SolidFrame(1, 1, 7)));
  EXPECT_EQ(Order(document), (std::vector<int>{7, 1, 2, 9, 3, 8}));
  EXPECT_EQ(document.Header.FrameCount, 6);
  EXPECT_EQ(document.Frames.back().FrameNumber, 6);
}

TEST(SprEdit, InsertFrameRefusesBadPositionsAndTheFrameLimit) {
  SprDocument document = DocumentOfFrames(3);
  const SprDocument before = document;
  for (int after : {-1, 4}) {
    auto refused = InsertFrame(document, after, SolidFrame(1, 1, 9));
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().title, "Add error");
    EXPECT_EQ(document, before);
  }
  SprDocument full = SpriteOf(std::vector<SprFrame>(kMaxFrames - 1));
  ASSERT_TRUE(InsertFrame(full, 1, SolidFrame(1, 1, 9)));
  auto refused = InsertFrame(full, 1, SolidFrame(1, 1, 9));
  ASSERT_FALSE(refused);
  EXPECT_EQ(refused.error().text, "The sprite already has 32767 frames, the most a sprite file can hold.");
  EXPECT_EQ(full.Frames.size(), static_cast<std::size_t>(kMaxFrames));
}

TEST(SprEdit, DeleteAndClearKeepTheCountInStep) {
  SprDocument document = DocumentOfFrames(3);
  DeleteFrame(document, 1);
  DeleteFrame(document, 2);
  DeleteFrame(document, -1);
  EXPECT_EQ(Order(document), (std::vector<int>{1, 3}));
  EXPECT_EQ(document.Header.FrameCount, 2);

  document.Header.Compressed = 1;
  document.Header.Reserved = {1, 2};
  document.Header.TrailingData = {3};
  ClearDocument(document);
  EXPECT_EQ(document, (SprDocument{.Header = {.Compressed = 1}}));
}
