#include <gtest/gtest.h>

#include "core/sprite/spr_edit.h"
#include "support/frame_builder.h"

using namespace tessaloom;
using Tool_Spr::ClearDocument;
using Tool_Spr::DeleteFrame;
using Tool_Spr::InsertFrame;

namespace {

// Frames told apart by their one pixel.
SprDocument DocumentOfFrames(int count) {
  SprDocument document;
  for (int i = 1; i <= count; ++i) document.Frames.push_back(SolidFrame(1, 1, static_cast<std::uint8_t>(i)));
  document.Header.FrameCount = static_cast<std::int16_t>(count);
  return document;
}

std::vector<int> Order(const SprDocument& document) {
  std::vector<int> order;
  for (const SprFrame& frame : document.Frames) order.push_back(frame.Pixels.at(0));
  return order;
}

}  // namespace

TEST(SprEdit, InsertFrameGoesAfterTheGivenFrame) {
  SprDocument document = DocumentOfFrames(3);
  ASSERT_TRUE(InsertFrame(document, 2, SolidFrame(1, 1, 9)));
  EXPECT_EQ(Order(document), (std::vector<int>{1, 2, 9, 3}));
  EXPECT_EQ(document.Header.FrameCount, 4);
  EXPECT_EQ(document.Frames.back().FrameNumber, 4);

  ASSERT_TRUE(InsertFrame(document, 4, SolidFrame(1, 1, 8)));
  EXPECT_EQ(Order(document), (std::vector<int>{1, 2, 9, 3, 8}));
  EXPECT_EQ(document.Frames.back().FrameNumber, 5);

  SprDocument empty;
  ASSERT_TRUE(InsertFrame(empty, 0, SolidFrame(5, 2, 7)));
  EXPECT_EQ(empty.Header.FrameCount, 1);
  EXPECT_EQ(empty.Frames[0].FrameNumber, 1);
  EXPECT_EQ(empty.Frames[0].Pixels.size(), 16u);
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
  SprDocument full;
  full.Frames.resize(kMaxFrames);
  full.Header.FrameCount = kMaxFrames;
  auto refused = InsertFrame(full, 1, SolidFrame(1, 1, 9));
  ASSERT_FALSE(refused);
  EXPECT_EQ(refused.error().text, "The sprite already has 32767 frames, the most a sprite file can hold.");
  EXPECT_EQ(full.Frames.size(), static_cast<std::size_t>(kMaxFrames));
}

TEST(SprEdit, DeleteFrameKeepsTheCountInStep) {
  SprDocument document = DocumentOfFrames(3);
  DeleteFrame(document, 1);
  EXPECT_EQ(Order(document), (std::vector<int>{1, 3}));
  EXPECT_EQ(document.Header.FrameCount, 2);
  DeleteFrame(document, 2);
  DeleteFrame(document, -1);
  EXPECT_EQ(Order(document), (std::vector<int>{1, 3}));
}

TEST(SprEdit, ClearDocumentKeepsOnlyTheCompressedFlag) {
  SprDocument document = DocumentOfFrames(2);
  document.Header.Compressed = 1;
  document.Header.Palette.assign(1024, 5);
  document.Header.Reserved = {1, 2};
  document.Header.TrailingData = {3, 4};
  ClearDocument(document);
  SprDocument expected;
  expected.Header.Compressed = 1;
  EXPECT_EQ(document, expected);
}
