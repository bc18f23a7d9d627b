#include <gtest/gtest.h>

#include <zlib.h>

#include "core/convert/converter_png.h"
#include "core/convert/picture_loader.h"
#include "support/bmp_bytes.h"

using namespace tessaloom;
using Converter_Png::DecodePicture;
using Bytes = std::vector<std::uint8_t>;

namespace {

const Bytes kPalette = GradientTable(256);
const SprFrame kFrame{.Width = 3, .Height = 2, .Pixels = {0, 1, 2, 0, 3, 4, 0, 0}};

Argb ArgbOf(std::uint8_t index) {
  return 0xFF000000u | (kPalette[4 * index + 2] << 16) | (kPalette[4 * index + 1] << 8) | kPalette[4 * index];
}

// `png` claiming a width and height of 100000, its header's CRC made right again.
Bytes Huge(Bytes png) {
  for (int i = 0; i < 4; ++i) png[16 + i] = png[20 + i] = static_cast<std::uint8_t>(100000 >> (24 - 8 * i));
  const auto crc = static_cast<std::uint32_t>(crc32(0, png.data() + 12, 17));
  for (int i = 0; i < 4; ++i) png[29 + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
  return png;
}

}  // namespace

// Index 0 is transparent (Qt's reader checks that), and composed onto black when read back.
TEST(Png, IndexedFramesKeepTheirPaletteAndRowsTopFirst) {
  const Bytes png = Converter_Png::EncodeIndexedPng(SprHeader{.Palette = kPalette}, kFrame).value();
  EXPECT_EQ(Bytes(png.begin() + 16, png.begin() + 29), (Bytes{0, 0, 0, 3, 0, 0, 0, 2, 8, 3, 0, 0, 0}));  // IHDR
  const Argb black = 0xFF000000u;
  EXPECT_EQ(DecodePicture(png)->Pixels, (std::vector<Argb>{ArgbOf(3), ArgbOf(4), black, black, ArgbOf(1), ArgbOf(2)}));
}

TEST(PictureLoader, ReadsBitmapsOf8And24And32BitsEitherWayUp) {
  auto image = DecodePicture(BuildBmp(BmpFields{.Width = 3, .Height = 2, .Table = kPalette, .Rows = {{1, 2, 3}, {4, 5, 6}}}));
  EXPECT_EQ(image->Pixels, (std::vector<Argb>{ArgbOf(1), ArgbOf(2), ArgbOf(3), ArgbOf(4), ArgbOf(5), ArgbOf(6)}));
  for (std::uint16_t bits : {24, 32}) {
    const std::size_t size = bits / 8;
    Bytes top(2 * size, 0), bottom(2 * size, 0);
    top[0] = 0x11, top[1] = 0x22, top[2] = 0x33;  // blue, green, red
    bottom[size] = 0x44, bottom[size + 1] = 0x55, bottom[size + 2] = 0x66;
    for (bool topDown : {false, true}) {
      image = DecodePicture(
          BuildBmp({.Width = 2, .Height = 2, .TopDown = topDown, .BitsPerPixel = bits, .Rows = {top, bottom}}));
      EXPECT_EQ(image->Pixels, (std::vector<Argb>{0xFF332211u, 0xFF000000u, 0xFF000000u, 0xFF665544u})) << bits;
    }
  }
}

TEST(PictureLoader, RefusesOtherFormatsAndBrokenFiles) {
  const Bytes png = Converter_Png::EncodeIndexedPng(SprHeader{.Palette = kPalette}, kFrame).value();
  Bytes damaged = png;
  damaged[damaged.size() - 20] ^= 0xFF;  // inside IDAT: a wrong CRC
  std::vector<Bytes> bad{Bytes{'G', 'I', 'F', '8', '9', 'a'}, Huge(png), damaged,
                         BuildBmp({.Width = 1, .Height = 1, .BitsPerPixel = 16, .Rows = {{1, 2}}}),
                         BuildBmp({.Width = 1, .Height = 1, .Compression = 1, .Table = kPalette, .Rows = {{1}}})};
  for (auto end = png.begin(); end != png.end(); ++end) bad.emplace_back(png.begin(), end);
  for (const Bytes& bytes : bad) {
    auto image = DecodePicture(bytes);
    ASSERT_FALSE(image) << bytes.size();
    EXPECT_EQ(image.error().title, "Background error");
  }
}
