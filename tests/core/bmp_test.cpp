#include <gtest/gtest.h>

#include <filesystem>

#include "common/byte_writer.h"
#include "common/file_io.h"
#include "convert/converter_bmp.h"
#include "support/bmp_bytes.h"
#include "support/temp_dir.h"

using namespace tessaloom;
using Converter_Bmp::ParseBmp;
using Converter_Bmp::SerializeBmp;

namespace {

// Palette entry k: blue k, green k + 1, red k + 2, 0.
std::vector<std::uint8_t> CountingPalette(int entries) {
  std::vector<std::uint8_t> palette;
  for (int k = 0; k < entries; ++k) {
    palette.insert(palette.end(), {static_cast<std::uint8_t>(k), static_cast<std::uint8_t>(k + 1),
                                   static_cast<std::uint8_t>(k + 2), 0});
  }
  return palette;
}

SprFrame FrameOf(std::int16_t width, std::int16_t height) {
  SprFrame frame{.Width = width, .Height = height};
  const int stride = RowStride(width);
  for (int row = 0; row < height; ++row) {
    for (int x = 0; x < stride; ++x) frame.Pixels.push_back(x < width ? static_cast<std::uint8_t>(10 * row + x + 1) : 0);
  }
  return frame;
}

std::vector<std::uint8_t> ExpectedHeaders(std::int32_t width, std::int32_t height, std::uint32_t imageSize) {
  ByteWriter expected;
  expected.Text("BM");
  for (std::uint32_t field : {1078 + imageSize, 0u, 1078u, 40u}) expected.U32(field);
  expected.I32(width);
  expected.I32(height);
  expected.U16(1);
  expected.U16(8);
  for (std::uint32_t field : {0u, imageSize, 0u, 0u, 256u, 0u}) expected.U32(field);
  return expected.Take();
}

std::vector<std::uint8_t> Slice(const std::vector<std::uint8_t>& bytes, std::size_t from, std::size_t size) {
  return {bytes.begin() + static_cast<std::ptrdiff_t>(from), bytes.begin() + static_cast<std::ptrdiff_t>(from + size)};
}

BmpFields EightBit(std::vector<std::vector<std::uint8_t>> rows, int tableEntries = 256) {
  return BmpFields{.Width = static_cast<std::int32_t>(rows.empty() ? 0 : rows[0].size()),
                 .Height = static_cast<std::int32_t>(rows.size()),
                 .Table = GradientTable(tableEntries),
                 .Rows = std::move(rows)};
}

void ExpectFormatError(const std::vector<std::uint8_t>& bytes, const std::string& text) {
  auto image = ParseBmp(bytes);
  ASSERT_FALSE(image);
  EXPECT_EQ(image.error().title, "Format incompatible");
  EXPECT_EQ(image.error().text, text);
  EXPECT_FALSE(image.error().detail.empty());
}

}  // namespace

TEST(BmpWriter, WritesTheFixedHeadersThePaletteAndThePixelsUnchanged) {
  const SprHeader header{.Palette = CountingPalette(256)};
  const SprFrame frame = FrameOf(5, 2);
  const auto bytes = SerializeBmp(header, frame);
  ASSERT_EQ(bytes.size(), 1094u);
  EXPECT_EQ(Slice(bytes, 0, 54), ExpectedHeaders(5, 2, 16));
  EXPECT_EQ(Slice(bytes, 54, 1024), header.Palette);
  EXPECT_EQ(Slice(bytes, 1078, 16), frame.Pixels);
}

TEST(BmpWriter, AlwaysWritesA256EntryTableMissingEntriesBlack) {
  const SprFrame frame = FrameOf(4, 1);
  for (int entries : {0, 3}) {
    const auto bytes = SerializeBmp(SprHeader{.Palette = CountingPalette(entries)}, frame);
    ASSERT_EQ(bytes.size(), 54u + 1024u + 4u) << entries;
    EXPECT_EQ(Slice(bytes, 10, 4), (std::vector<std::uint8_t>{0x36, 0x04, 0, 0}));  // 1078
    std::vector<std::uint8_t> table = CountingPalette(entries);
    table.resize(1024, 0);
    EXPECT_EQ(Slice(bytes, 54, 1024), table);
  }
}

TEST(BmpWriter, PadsOrCutsPixelsToTheFrameSize) {
  SprFrame shortFrame{.Width = 3, .Height = 2, .Pixels = {1, 2, 3}};
  auto bytes = SerializeBmp(SprHeader{}, shortFrame);
  EXPECT_EQ(Slice(bytes, 1078, bytes.size() - 1078), (std::vector<std::uint8_t>{1, 2, 3, 0, 0, 0, 0, 0}));
  SprFrame longFrame{.Width = 1, .Height = 1, .Pixels = {9, 0, 0, 0, 7, 7}};
  bytes = SerializeBmp(SprHeader{}, longFrame);
  EXPECT_EQ(Slice(bytes, 1078, bytes.size() - 1078), (std::vector<std::uint8_t>{9, 0, 0, 0}));
}

TEST(BmpReader, ReadsWhatTheWriterWritesForEveryPadding) {
  const SprHeader header{.Palette = CountingPalette(256)};
  for (std::int16_t width = 0; width <= 9; ++width) {
    const SprFrame frame = FrameOf(width, 3);
    auto image = ParseBmp(SerializeBmp(header, frame));
    ASSERT_TRUE(image) << width;
    EXPECT_EQ(image->Width, width);
    EXPECT_EQ(image->Height, 3);
    EXPECT_EQ(image->Pixels, frame.Pixels);
    EXPECT_EQ(image->ColorTable, header.Palette);
  }
}

TEST(BmpReader, KeepsBottomUpRowsWithPaddingAndTurnsTopDownRows) {
  const std::vector<std::vector<std::uint8_t>> rows{{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}};
  const std::vector<std::uint8_t> expected{6, 7, 8, 9, 10, 0, 0, 0, 1, 2, 3, 4, 5, 0, 0, 0};
  for (bool topDown : {false, true}) {
    BmpFields fields = EightBit(rows);
    fields.TopDown = topDown;
    auto image = ParseBmp(BuildBmp(fields));
    ASSERT_TRUE(image) << topDown;
    EXPECT_EQ(image->Width, 5);
    EXPECT_EQ(image->Height, 2);
    EXPECT_EQ(image->Pixels, expected);
    EXPECT_EQ(image->ColorTable, GradientTable(256));
  }
}

TEST(BmpReader, HonoursTheColoursUsedAndThePixelOffset) {
  BmpFields fields = EightBit({{3, 1}}, 4);
  auto image = ParseBmp(BuildBmp(fields));
  ASSERT_TRUE(image);
  std::vector<std::uint8_t> table = GradientTable(4);
  table.resize(1024, 0);
  EXPECT_EQ(image->ColorTable, table);
  EXPECT_EQ(image->Pixels, (std::vector<std::uint8_t>{3, 1, 0, 0}));

  fields = EightBit({{3, 1}}, 4);
  fields.ColorsUsed = 0;  // announces 256, but the pixels follow 4 entries
  image = ParseBmp(BuildBmp(fields));
  ASSERT_TRUE(image);
  EXPECT_EQ(image->ColorTable, table);
  EXPECT_EQ(image->Pixels, (std::vector<std::uint8_t>{3, 1, 0, 0}));

  fields = EightBit({{3, 1}});
  fields.PixelOffset = 1078 + 50;
  fields.ColorsUsed = 0;  // all 256
  image = ParseBmp(BuildBmp(fields));
  ASSERT_TRUE(image);
  EXPECT_EQ(image->Pixels, (std::vector<std::uint8_t>{3, 1, 0, 0}));
  EXPECT_EQ(image->ColorTable, GradientTable(256));

  fields = EightBit({{3, 1}});
  fields.InfoHeaderSize = 124;  // a newer header: the table follows it
  image = ParseBmp(BuildBmp(fields));
  ASSERT_TRUE(image);
  EXPECT_EQ(image->ColorTable, GradientTable(256));
  EXPECT_EQ(image->Pixels, (std::vector<std::uint8_t>{3, 1, 0, 0}));
}

TEST(BmpReader, RefusesWhatIsNotAn8BitBitmapWithTheFixedText) {
  for (std::uint16_t bits : {1, 4, 16, 24, 32}) {
    BmpFields fields = EightBit({{1, 2}});
    fields.BitsPerPixel = bits;
    ExpectFormatError(BuildBmp(fields), "No 8 bits bitmap format");
  }
  std::vector<std::uint8_t> notBm = BuildBmp(EightBit({{1}}));
  notBm[0] = 'P';
  ExpectFormatError(notBm, "No 8 bits bitmap format");
  BmpFields core = EightBit({{1}});
  core.InfoHeaderSize = 12;
  ExpectFormatError(BuildBmp(core), "No 8 bits bitmap format");
}

TEST(BmpReader, RefusesMalformedHeaders) {
  BmpFields fields = EightBit({{1, 2}});
  fields.Compression = 1;
  ExpectFormatError(BuildBmp(fields), "Compressed bitmaps are not supported");

  for (auto [width, height] : {std::pair{40000, 1}, {-1, 1}, {1, -40000}, {1, 32768}}) {
    fields = EightBit({{1}});
    fields.Width = width;
    fields.Height = height;
    ExpectFormatError(BuildBmp(fields), "The bitmap's size is out of range");
  }
  fields = EightBit({{1}});
  fields.ColorsUsed = 257;
  ExpectFormatError(BuildBmp(fields), "The bitmap's colour table is malformed");
  fields = EightBit({{1}});
  fields.PixelOffset = 20;
  ExpectFormatError(BuildBmp(fields), "The bitmap file is damaged");
}

TEST(BmpReader, RefusesEveryTruncationOfAValidFile) {
  const auto bytes = BuildBmp(EightBit({{1, 2, 3}, {4, 5, 6}}));
  for (std::size_t size = 0; size < bytes.size(); ++size) {
    auto image = ParseBmp(std::span(bytes).first(size));
    ASSERT_FALSE(image) << size;
    EXPECT_EQ(image.error().title, "Format incompatible") << size;
  }
  ExpectFormatError(std::vector<std::uint8_t>(bytes.begin(), bytes.end() - 1), "The bitmap file is incomplete");
  ExpectFormatError(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 40), "The bitmap file is incomplete");
}

TEST(BmpFiles, WriteAtomicallyAndReportFailuresWithTheFileName) {
  TempDir dir;
  const SprHeader header{.Palette = CountingPalette(256)};
  const SprFrame frame = FrameOf(5, 2);
  ASSERT_TRUE(Converter_Bmp::WriteBmp(header, frame, dir / "frame.bmp"));
  auto image = Converter_Bmp::ReadBmp(dir / "frame.bmp");
  ASSERT_TRUE(image);
  EXPECT_EQ(image->Pixels, frame.Pixels);

  auto written = Converter_Bmp::WriteBmp(header, frame, dir / "missing" / "frame.bmp");
  ASSERT_FALSE(written);
  EXPECT_EQ(written.error().title, "Export error");

  auto missing = Converter_Bmp::ReadBmp(dir / "none.bmp");
  ASSERT_FALSE(missing);
  EXPECT_EQ(missing.error().title, "Open error");

  const auto bytes = SerializeBmp(header, frame);
  ASSERT_TRUE(WriteFileAtomically(dir / "cut.bmp", std::span(bytes).first(100), "test"));
  auto cut = Converter_Bmp::ReadBmp(dir / "cut.bmp");
  ASSERT_FALSE(cut);
  EXPECT_EQ(cut.error().title, "Format incompatible");
  EXPECT_NE(cut.error().detail.find("cut.bmp"), std::string::npos);
}
