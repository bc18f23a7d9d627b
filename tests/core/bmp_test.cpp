// Bitmaps written and read. Malformed ones are refused in limits/refusals_test.cpp.

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <functional>

#include "core/common/byte_writer.h"
#include "core/common/file_io.h"
#include "core/convert/converter_bmp.h"
#include "core/generators.h"
#include "support/bmp_bytes.h"
#include "support/temp_dir.h"

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
  const auto image = ParseBmp(SerializeBmp(kHeader, frame));
  RC_ASSERT(image.has_value());
  RC_ASSERT(image->Width == frame.Width);
  RC_ASSERT(image->Height == frame.Height);
  RC_ASSERT(image->Pixels == frame.Pixels);
  RC_ASSERT(image->ColorTable == kHeader.Palette);
}

TEST(BmpReader, HonoursRowOrderColoursUsedPixelOffsetAndLargerInfoHeaders) {
  Bytes fourEntries = GradientTable(4);
  fourEntries.resize(1024, 0);  // the entries not in the file are black
  struct Case {
    const char* name;
    std::function<void(BmpFields&)> change;
    Bytes table;
  };
  const Case cases[] = {
      {"bottom-up", [](BmpFields&) {}, GradientTable(256)},
      {"top-down", [](BmpFields& f) { f.TopDown = true; }, GradientTable(256)},
      {"4 colours used", [](BmpFields& f) { f.Table = GradientTable(4); }, fourEntries},
      {"0 announces 256, but the pixels follow 4 entries",
       [](BmpFields& f) { f.Table = GradientTable(4), f.ColorsUsed = 0; }, fourEntries},
      {"a gap before the pixels", [](BmpFields& f) { f.PixelOffset = 1078 + 50, f.ColorsUsed = 0; },
       GradientTable(256)},
      {"a newer header: the table follows it", [](BmpFields& f) { f.InfoHeaderSize = 124; }, GradientTable(256)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    BmpFields fields{.Width = 5, .Height = 2, .Table = GradientTable(256), .Rows = {{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}}};
    c.change(fields);
    auto image = ParseBmp(BuildBmp(fields));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->Width, 5);
    EXPECT_EQ(image->Height, 2);
    EXPECT_EQ(image->Pixels, (Bytes{6, 7, 8, 9, 10, 0, 0, 0, 1, 2, 3, 4, 5, 0, 0, 0}));
    EXPECT_EQ(image->ColorTable, c.table);
  }
}

TEST(BmpReader, ReadsFilesAndNamesThemInErrors) {
  TempDir dir;
  const auto bytes = SerializeBmp(kHeader, SolidFrame(5, 2, 3));
  ASSERT_TRUE(WriteFileAtomically(dir / "frame.bmp", bytes, "test"));
  EXPECT_EQ(Converter_Bmp::ReadBmp(dir / "frame.bmp")->Pixels, SolidFrame(5, 2, 3).Pixels);
  EXPECT_EQ(Converter_Bmp::ReadBmp(dir / "none.bmp").error().title, "Open error");

  ASSERT_TRUE(WriteFileAtomically(dir / "cut.bmp", std::span(bytes).first(100), "test"));
  auto cut = Converter_Bmp::ReadBmp(dir / "cut.bmp");
  ASSERT_FALSE(cut);
  EXPECT_EQ(cut.error().title, "Format incompatible");
  EXPECT_NE(cut.error().detail.find("cut.bmp"), std::string::npos);
}
