// Bitmaps written and read. Malformed ones are refused in limits/refusals_test.cpp.

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include "core/common/byte_writer.h"
#include "core/convert/converter_bmp.h"
#include "core/generators.h"
#include "support/bmp_bytes.h"

using namespace tessaloom;
using Converter_Bmp::ParseBmp;
using Converter_Bmp::SerializeBmp;
using Bytes = std::vector<std::uint8_t>;

namespace {

const SprHeader kHeader{.Palette = GradientTable(256)};

Bytes Slice(const Bytes& bytes, std::size_t from, std::size_t size = std::string::npos) {
  const auto begin = bytes.begin() + static_cast<std::ptrdiff_t>(from);
  return {begin, size == std::string::npos ? bytes.end() : begin + static_cast<std::ptrdiff_t>(size)};
}

}  // namespace

TEST(BmpWriter, WritesTheFixedHeadersThePaletteAndThePixelsUnchanged) {
  const SprFrame frame = FrameFromRows({{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}});
  const auto bytes = SerializeBmp(kHeader, frame);
  ByteWriter expected;
  expected.Text("BM");
  for (std::uint32_t field : {1078u + 16, 0u, 1078u, 40u, 5u, 2u}) expected.U32(field);
  expected.U16(1);
  expected.U16(8);
  for (std::uint32_t field : {0u, 16u, 0u, 0u, 256u, 0u}) expected.U32(field);
  expected.Bytes(kHeader.Palette);
  expected.Bytes(frame.Pixels);
  EXPECT_EQ(bytes, expected.View());
}

TEST(BmpWriter, AlwaysWritesA256EntryTableAndTheFramesSizeOfPixels) {
  Bytes table = GradientTable(3);
  auto bytes = SerializeBmp(SprHeader{.Palette = table}, SprFrame{.Width = 3, .Height = 2, .Pixels = {1, 2, 3}});
  table.resize(1024, 0);
  EXPECT_EQ(Slice(bytes, 54, 1024), table);
  EXPECT_EQ(Slice(bytes, 1078), (Bytes{1, 2, 3, 0, 0, 0, 0, 0}));  // missing pixels 0
  bytes = SerializeBmp(SprHeader{}, SprFrame{.Width = 1, .Height = 1, .Pixels = {9, 0, 0, 0, 7, 7}});
  EXPECT_EQ(Slice(bytes, 54, 1024), Bytes(1024, 0));
  EXPECT_EQ(Slice(bytes, 1078), (Bytes{9, 0, 0, 0}));
}

RC_GTEST_PROP(BmpReader, ReadsWhatTheWriterWrites, ()) {
  const SprFrame frame = *gen::Frame(9, 4);
  const SprHeader header{.Palette = *rc::gen::container<Bytes>(kPaletteBytes, rc::gen::arbitrary<std::uint8_t>())};
  const auto image = ParseBmp(SerializeBmp(header, frame));
  RC_ASSERT(image.has_value());
  RC_ASSERT(image->Width == frame.Width && image->Height == frame.Height);
  RC_ASSERT(image->Pixels == frame.Pixels && image->ColorTable == header.Palette);
}

TEST(BmpReader, HonoursRowOrderColoursUsedPixelOffsetAndLargerInfoHeaders) {
  const std::vector<Bytes> rows{{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}};
  const Bytes table = GradientTable(256), four = GradientTable(4);
  const BmpFields cases[] = {
      {.Width = 5, .Height = 2, .TopDown = true, .Table = table, .Rows = rows},
      {.Width = 5, .Height = 2, .Table = four, .Rows = rows},
      {.Width = 5, .Height = 2, .ColorsUsed = 0, .PixelOffset = 1078 + 50, .Table = table, .Rows = rows},
      {.Width = 5, .Height = 2, .InfoHeaderSize = 124, .Table = table, .Rows = rows},  // the table follows it
  };
  for (const BmpFields& fields : cases) {
    const auto image = ParseBmp(BuildBmp(fields));
    ASSERT_TRUE(image) << image.error().text;
    EXPECT_EQ(image->Pixels, FrameFromRows(rows).Pixels);
    Bytes expected = fields.Table;
    expected.resize(1024, 0);  // the entries not in the file are black
    EXPECT_EQ(image->ColorTable, expected);
  }
}
