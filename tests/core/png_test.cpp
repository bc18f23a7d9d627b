#include <gtest/gtest.h>

#include <map>
#include <string>

#include "core/common/byte_reader.h"
#include "core/common/byte_writer.h"
#include "core/common/file_io.h"
#include "core/convert/converter_png.h"
#include "support/bmp_bytes.h"
#include "support/temp_dir.h"

using namespace tessaloom;
using Converter_Png::DecodePicture;

namespace {

using Bytes = std::vector<std::uint8_t>;

Argb ArgbOf(const Bytes& palette, std::uint8_t index) {
  return 0xFF000000u | (Argb{palette[4 * index + 2]} << 16) | (Argb{palette[4 * index + 1]} << 8) | palette[4 * index];
}

// Chunk type -> data, in a PNG file; the signature is skipped unchecked.
std::multimap<std::string, Bytes> Chunks(const Bytes& png) {
  std::multimap<std::string, Bytes> chunks;
  ByteReader reader(png, 8);
  while (reader.Has(12)) {
    const auto big = reader.Bytes(4);
    const std::size_t length = (std::size_t{big[0]} << 24) | (big[1] << 16) | (big[2] << 8) | big[3];
    const auto type = reader.Bytes(4);
    const auto data = reader.Bytes(length);
    reader.Skip(4);
    chunks.emplace(std::string(type.begin(), type.end()), Bytes(data.begin(), data.end()));
  }
  return chunks;
}

std::uint32_t Crc32(std::span<const std::uint8_t> bytes) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::uint8_t byte : bytes) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

// `png` with the IHDR width and height replaced and its CRC made right again.
Bytes WithSize(Bytes png, std::uint32_t width, std::uint32_t height) {
  for (int i = 0; i < 4; ++i) {
    png[16 + i] = static_cast<std::uint8_t>(width >> (24 - 8 * i));
    png[20 + i] = static_cast<std::uint8_t>(height >> (24 - 8 * i));
  }
  const std::uint32_t crc = Crc32(std::span(png).subspan(12, 17));
  for (int i = 0; i < 4; ++i) png[29 + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
  return png;
}

const SprFrame kFrame{.Width = 3, .Height = 2, .Pixels = {0, 1, 2, 0, 3, 4, 0, 0}};

}  // namespace

TEST(PngIndexed, WritesAPaletteImageWithIndexZeroTransparentThatDecodesTopRowFirst) {
  const Bytes palette = GradientTable(256);
  auto png = Converter_Png::EncodeIndexedPng(SprHeader{.Palette = palette}, kFrame);
  ASSERT_TRUE(png);
  EXPECT_EQ(Bytes(png->begin(), png->begin() + 8), (Bytes{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}));
  const auto chunks = Chunks(*png);
  EXPECT_EQ(chunks.find("IHDR")->second, (Bytes{0, 0, 0, 3, 0, 0, 0, 2, 8, 3, 0, 0, 0}));
  Bytes rgb;
  for (int k = 0; k < 256; ++k) rgb.insert(rgb.end(), {palette[4 * k + 2], palette[4 * k + 1], palette[4 * k]});
  EXPECT_EQ(chunks.find("PLTE")->second, rgb);
  EXPECT_EQ(chunks.find("tRNS")->second, Bytes{0});
  EXPECT_EQ(chunks.count("IEND"), 1u);

  auto image = DecodePicture(*png);
  ASSERT_TRUE(image);
  ASSERT_EQ(image->Width, 3);
  ASSERT_EQ(image->Height, 2);
  // Index 0 is transparent, composed onto black.
  EXPECT_EQ(image->Pixels, (std::vector<Argb>{ArgbOf(palette, 3), ArgbOf(palette, 4), 0xFF000000u, 0xFF000000u,
                                              ArgbOf(palette, 1), ArgbOf(palette, 2)}));
}

TEST(PngIndexed, RefusesAnEmptyFrame) {
  for (const SprFrame& frame : {SprFrame{}, SprFrame{.Width = 4, .Height = 0}}) {
    auto png = Converter_Png::EncodeIndexedPng(SprHeader{}, frame);
    ASSERT_FALSE(png);
    EXPECT_EQ(png.error().title, "Export error");
  }
}

TEST(PngRgb, RoundTripsTheCanvas) {
  Image canvas(5, 3);
  for (std::size_t i = 0; i < canvas.Pixels.size(); ++i) canvas.Pixels[i] = 0xFF000000u | static_cast<Argb>(i * 0x0A1B2C);
  auto png = Converter_Png::EncodeRgbPng(canvas);
  ASSERT_TRUE(png);
  EXPECT_EQ(Chunks(*png).find("IHDR")->second, (Bytes{0, 0, 0, 5, 0, 0, 0, 3, 8, 2, 0, 0, 0}));
  auto image = DecodePicture(*png);
  ASSERT_TRUE(image);
  EXPECT_EQ(*image, canvas);
}

TEST(PictureLoader, ReadsBitmapsOf8And24And32Bits) {
  const std::vector<std::vector<std::uint8_t>> indexed{{1, 2, 3}, {4, 5, 6}};
  const Bytes table = GradientTable(8);
  auto image = DecodePicture(BuildBmp(BmpFields{.Width = 3, .Height = 2, .Table = table, .Rows = indexed}));
  ASSERT_TRUE(image);
  EXPECT_EQ(image->At(0, 0), ArgbOf(table, 1));
  EXPECT_EQ(image->At(2, 1), ArgbOf(table, 6));

  for (std::uint16_t bits : {24, 32}) {
    const std::size_t size = bits / 8;
    std::vector<std::uint8_t> top(2 * size, 0), bottom(2 * size, 0);
    top[0] = 0x11, top[1] = 0x22, top[2] = 0x33;                 // blue, green, red
    bottom[size] = 0x44, bottom[size + 1] = 0x55, bottom[size + 2] = 0x66;
    for (bool topDown : {false, true}) {
      auto picture = DecodePicture(
          BuildBmp(BmpFields{.Width = 2, .Height = 2, .TopDown = topDown, .BitsPerPixel = bits, .Rows = {top, bottom}}));
      ASSERT_TRUE(picture) << bits;
      EXPECT_EQ(picture->Pixels, (std::vector<Argb>{0xFF332211u, 0xFF000000u, 0xFF000000u, 0xFF665544u})) << bits;
    }
  }
}

TEST(PictureLoader, RefusesOtherFormatsAndBrokenFilesWithABackgroundError) {
  auto png = Converter_Png::EncodeIndexedPng(SprHeader{.Palette = GradientTable(256)}, kFrame);
  ASSERT_TRUE(png);
  std::vector<Bytes> bad{Bytes{}, Bytes{'G', 'I', 'F', '8', '9', 'a'},
                         BuildBmp(BmpFields{.Width = 1, .Height = 1, .BitsPerPixel = 16, .Rows = {{1, 2}}}),
                         BuildBmp(BmpFields{.Width = 1, .Height = 1, .Compression = 1, .Table = GradientTable(2), .Rows = {{1}}}),
                         WithSize(*png, 100000, 100000)};
  Bytes damaged = *png;
  damaged[damaged.size() - 20] ^= 0xFF;  // inside IDAT: a wrong CRC
  bad.push_back(damaged);
  for (std::size_t size = 0; size < png->size(); ++size) bad.emplace_back(png->begin(), png->begin() + static_cast<std::ptrdiff_t>(size));
  for (const Bytes& bytes : bad) {
    auto image = DecodePicture(bytes);
    ASSERT_FALSE(image) << bytes.size();
    EXPECT_EQ(image.error().title, "Background error");
    EXPECT_FALSE(image.error().text.empty());
  }
}

TEST(PictureLoader, LoadsFilesByName) {
  TempDir dir;
  ASSERT_TRUE(Converter_Png::WriteRgbPng(Image(2, 2, 0xFF123456u), dir / "canvas.png"));
  auto loaded = Converter_Png::LoadPicture(dir / "canvas.png");
  ASSERT_TRUE(loaded);
  EXPECT_EQ(*loaded, Image(2, 2, 0xFF123456u));
  EXPECT_EQ(Converter_Png::LoadPicture(dir / "none.png").error().title, "Background error");
  ASSERT_TRUE(WriteFileAtomically(dir / "text.png", Bytes{'h', 'i'}, "test"));
  EXPECT_NE(Converter_Png::LoadPicture(dir / "text.png").error().detail.find("text.png"), std::string::npos);
}
