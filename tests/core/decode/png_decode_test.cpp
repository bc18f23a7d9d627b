#include <gtest/gtest.h>

#include "core/convert/converter_png.h"
#include "core/convert/picture_loader.h"
#include "core/decode/decode_support.h"

using namespace tessaloom;
using namespace tessaloom::decode;

namespace {

std::vector<std::uint8_t> SavedByQt(const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format);
  return {bytes.begin(), bytes.end()};
}

}  // namespace

TEST(PngDecode, IndexedFramesDecodeToTheirIndicesWithIndexZeroTransparent) {
  const SprHeader header{.Palette = DistinctPalette()};
  for (int width = 1; width <= 9; ++width) {
    const SprFrame frame = RandomFrame(width, 3, static_cast<unsigned>(200 + width));
    auto png = Converter_Png::EncodeIndexedPng(header, frame);
    ASSERT_TRUE(png);
    const QImage image = DecodeWithQt(*png, "PNG");
    ASSERT_EQ(image.size(), QSize(width, 3)) << width;
    ASSERT_EQ(image.format(), QImage::Format_Indexed8);
    const QList<QRgb> table = image.colorTable();
    ASSERT_EQ(table.size(), 256);
    EXPECT_EQ(qAlpha(table[0]), 0);
    for (int k = 1; k < 256; ++k) ASSERT_EQ(table[k], QtColor(header.Palette, static_cast<std::uint8_t>(k))) << k;
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < width; ++x) ASSERT_EQ(image.pixelIndex(x, y), IndexAt(frame, RowStride(width), x, y));
    }
  }
}

TEST(PngDecode, TheCanvasDecodesToItsPixels) {
  Image canvas(6, 4);
  for (std::size_t i = 0; i < canvas.Pixels.size(); ++i) canvas.Pixels[i] = 0xFF000000u | static_cast<Argb>(i * 0x0B0D0F);
  auto png = Converter_Png::EncodeRgbPng(canvas);
  ASSERT_TRUE(png);
  const QImage image = DecodeWithQt(*png, "PNG").convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(image.size(), QSize(6, 4));
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x) ASSERT_EQ(image.pixel(x, y), canvas.At(x, y));
  }
}

TEST(PngDecode, PicturesQtWritesLoadAsBackgrounds) {
  QImage argb(4, 2, QImage::Format_ARGB32);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 4; ++x) argb.setPixel(x, y, qRgba(40 * x, 100 + y, 200, x == 0 ? 0 : 255));
  }
  const std::vector<QImage> opaque{argb.convertToFormat(QImage::Format_RGB32),
                                   argb.convertToFormat(QImage::Format_Grayscale8),
                                   argb.convertToFormat(QImage::Format_RGBX64),
                                   argb.convertToFormat(QImage::Format_Indexed8)};
  for (const QImage& source : opaque) {
    for (const char* format : {"PNG", "BMP"}) {
      if (std::string(format) == "BMP" && source.depth() != 8 && source.depth() != 32) continue;
      auto image = Converter_Png::DecodePicture(SavedByQt(source, format));
      ASSERT_TRUE(image) << format << " " << source.format() << ": " << image.error().detail;
      const QImage expected = source.convertToFormat(QImage::Format_RGB32);
      for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 4; ++x) ASSERT_EQ(image->At(x, y), expected.pixel(x, y)) << format << " " << source.format();
      }
    }
  }
  // An alpha channel is composed onto black.
  auto image = Converter_Png::DecodePicture(SavedByQt(argb, "PNG"));
  ASSERT_TRUE(image);
  EXPECT_EQ(image->At(0, 0), 0xFF000000u);
  EXPECT_EQ(image->At(1, 1), argb.pixel(1, 1));
}
