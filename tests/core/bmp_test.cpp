#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "core/common/byte_writer.h"
#include "core/common/file_io.h"
#include "core/convert/converter_bmp.h"
#include "support/bmp_bytes.h"
#include "support/temp_dir.h"

using namespace tessaloom;
using Converter_Bmp::ParseBmp;
using Converter_Bmp::SerializeBmp;

namespace {

using Bytes = std::vector<std::uint8_t>;

// Palette entry k: blue k, green k + 1, red k + 2, 0.
Bytes CountingPalette(int entries) {
  Bytes palette;
  for (int k = 0; k < entries; ++k) {
    palette.insert(palette.end(), {static_cast<std::uint8_t>(k), static_cast<std::uint8_t>(k + 1),
                                   static_cast<std::uint8_t>(k + 2), 0});
  }
  return palette;
}

SprFrame FrameOf(std::int16_t width, std::int16_t height) {
  SprFrame frame{.Width = width, .Height = height};
  for (int row = 0; row < height; ++row) {
    for (int x = 0; x < RowStride(width); ++x) frame.Pixels.push_back(x < width ? static_cast<std::uint8_t>(10 * row + x + 1) : 0);
  }
  return frame;
}

Bytes Slice(const Bytes& bytes, std::size_t from, std::size_t size) {
  return {bytes.begin() + static_cast<std::ptrdiff_t>(from), bytes.begin() + static_cast<std::ptrdiff_t>(from + size)};
}

BmpFields EightBit(std::vector<Bytes> rows, int tableEntries = 256) {
  return BmpFields{.Width = static_cast<std::int32_t>(rows.empty() ? 0 : rows[0].size()),
                   .Height = static_cast<std::int32_t>(rows.size()),
                   .Table = GradientTable(tableEntries),
                   .Rows = std::move(rows)};
}

void ExpectFormatError(const Bytes& bytes, const std::string& text) {
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
  ByteWriter expected;
  expected.Text("BM");
  for (std::uint32_t field : {1078u + 16, 0u, 1078u, 40u, 5u, 2u}) expected.U32(field);
  expected.U16(1);
  expected.U16(8);
  for (std::uint32_t field : {0u, 16u, 0u, 0u, 256u, 0u}) expected.U32(field);
  EXPECT_EQ(Slice(bytes, 0, 54), expected.View());
  EXPECT_EQ(Slice(bytes, 54, 1024), header.Palette);
  EXPECT_EQ(Slice(bytes, 1078, 16), frame.Pixels);
}

TEST(BmpWriter, AlwaysWritesA256EntryTableMissingEntriesBlack) {
  for (int entries : {0, 3}) {
    const auto bytes = SerializeBmp(SprHeader{.Palette = CountingPalette(entries)}, FrameOf(4, 1));
    ASSERT_EQ(bytes.size(), 54u + 1024u + 4u) << entries;
    EXPECT_EQ(Slice(bytes, 10, 4), (Bytes{0x36, 0x04, 0, 0}));  // 1078
    Bytes table = CountingPalette(entries);
    table.resize(1024, 0);
    EXPECT_EQ(Slice(bytes, 54, 1024), table);
  }
}

TEST(BmpWriter, PadsOrCutsPixelsToTheFrameSize) {
  auto bytes = SerializeBmp(SprHeader{}, SprFrame{.Width = 3, .Height = 2, .Pixels = {1, 2, 3}});
  EXPECT_EQ(Slice(bytes, 1078, bytes.size() - 1078), (Bytes{1, 2, 3, 0, 0, 0, 0, 0}));
  bytes = SerializeBmp(SprHeader{}, SprFrame{.Width = 1, .Height = 1, .Pixels = {9, 0, 0, 0, 7, 7}});
  EXPECT_EQ(Slice(bytes, 1078, bytes.size() - 1078), (Bytes{9, 0, 0, 0}));
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
  for (bool topDown : {false, true}) {
    BmpFields fields = EightBit({{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}});
    fields.TopDown = topDown;
    auto image = ParseBmp(BuildBmp(fields));
    ASSERT_TRUE(image) << topDown;
    EXPECT_EQ(image->Width, 5);
    EXPECT_EQ(image->Height, 2);
    EXPECT_EQ(image->Pixels, (Bytes{6, 7, 8, 9, 10, 0, 0, 0, 1, 2, 3, 4, 5, 0, 0, 0}));
    EXPECT_EQ(image->ColorTable, GradientTable(256));
  }
}

TEST(BmpReader, HonoursTheColoursUsedThePixelOffsetAndLargerInfoHeaders) {
  Bytes fourEntries = GradientTable(4);
  fourEntries.resize(1024, 0);  // the entries not in the file are black
  struct Case {
    const char* name;
    int entries;
    std::function<void(BmpFields&)> change;
    Bytes table;
  };
  const Case cases[] = {
      {"4 colours used", 4, [](BmpFields&) {}, fourEntries},
      {"0 announces 256, but the pixels follow 4 entries", 4, [](BmpFields& f) { f.ColorsUsed = 0; }, fourEntries},
      {"a gap before the pixels", 256, [](BmpFields& f) { f.PixelOffset = 1078 + 50, f.ColorsUsed = 0; },
       GradientTable(256)},
      {"a newer header: the table follows it", 256, [](BmpFields& f) { f.InfoHeaderSize = 124; }, GradientTable(256)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BmpFields fields = EightBit({{3, 1}}, c.entries);
    c.change(fields);
    auto image = ParseBmp(BuildBmp(fields));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->ColorTable, c.table);
    EXPECT_EQ(image->Pixels, (Bytes{3, 1, 0, 0}));
  }
}

TEST(BmpReader, RefusesWhatIsNotAn8BitBitmapOrMalformedHeadersWithTheirTexts) {
  struct Case {
    std::function<void(BmpFields&)> change;
    const char* text;
  };
  std::vector<Case> cases{{[](BmpFields& f) { f.InfoHeaderSize = 12; }, "No 8 bits bitmap format"},
                          {[](BmpFields& f) { f.Compression = 1; }, "Compressed bitmaps are not supported"},
                          {[](BmpFields& f) { f.ColorsUsed = 257; }, "The bitmap's colour table is malformed"},
                          {[](BmpFields& f) { f.PixelOffset = 20; }, "The bitmap file is damaged"}};
  for (std::uint16_t bits : {1, 4, 16, 24, 32}) {
    cases.push_back({[bits](BmpFields& f) { f.BitsPerPixel = bits; }, "No 8 bits bitmap format"});
  }
  for (auto [width, height] : {std::pair{40000, 1}, {-1, 1}, {1, -40000}, {1, 32768}}) {
    cases.push_back({[=](BmpFields& f) { f.Width = width, f.Height = height; }, "The bitmap's size is out of range"});
  }
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(i);
    BmpFields fields = EightBit({{1, 2}});
    cases[i].change(fields);
    ExpectFormatError(BuildBmp(fields), cases[i].text);
  }
  Bytes notBm = BuildBmp(EightBit({{1}}));
  notBm[0] = 'P';
  ExpectFormatError(notBm, "No 8 bits bitmap format");
}

TEST(BmpReader, RefusesEveryTruncationOfAValidFile) {
  const auto bytes = BuildBmp(EightBit({{1, 2, 3}, {4, 5, 6}}));
  for (std::size_t size = 0; size < bytes.size(); ++size) {
    auto image = ParseBmp(std::span(bytes).first(size));
    ASSERT_FALSE(image) << size;
    EXPECT_EQ(image.error().title, "Format incompatible") << size;
  }
  ExpectFormatError(Bytes(bytes.begin(), bytes.end() - 1), "The bitmap file is incomplete");
  ExpectFormatError(Bytes(bytes.begin(), bytes.begin() + 40), "The bitmap file is incomplete");
}

// Failed writes are checked for every writer in write_faults_test.cpp.
TEST(BmpFiles, ReadBackAndReportReadFailuresWithTheFileName) {
  TempDir dir;
  const SprHeader header{.Palette = CountingPalette(256)};
  const SprFrame frame = FrameOf(5, 2);
  ASSERT_TRUE(Converter_Bmp::WriteBmp(header, frame, dir / "frame.bmp"));
  auto image = Converter_Bmp::ReadBmp(dir / "frame.bmp");
  ASSERT_TRUE(image);
  EXPECT_EQ(image->Pixels, frame.Pixels);

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
