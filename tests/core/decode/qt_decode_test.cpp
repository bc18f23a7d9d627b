// Our GIF, BMP and PNG files decoded by an independent decoder, Qt's image readers,
// and pictures Qt writes read by ours.

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <QBuffer>
#include <QImage>

#include "core/convert/converter_bmp.h"
#include "core/convert/converter_gif.h"
#include "core/convert/converter_png.h"
#include "core/convert/picture_loader.h"
#include "core/generators.h"
#include "support/bmp_bytes.h"

using namespace tessaloom;
using Bytes = std::vector<std::uint8_t>;

namespace {

const SprHeader kHeader{.Palette = GradientTable(256)};

QByteArray ToQt(const Bytes& bytes) {
  return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

Bytes SavedByQt(const QImage& image, const char* format) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, format);
  return {bytes.begin(), bytes.end()};
}

QRgb QtColor(std::uint8_t index) {
  const Bytes& palette = kHeader.Palette;
  return qRgb(palette[4 * index + 2], palette[4 * index + 1], palette[4 * index]);
}

// Every pixel of the frame's area, `width` wide, shows its index (0 past the stored
// pixels): transparent for 0 when `transparent`.
bool ShowsFrame(const QImage& image, const SprFrame& frame, int width, bool transparent) {
  if (image.width() < width || image.height() < frame.Height) return false;
  for (int y = 0; y < frame.Height; ++y) {
    for (int x = 0; x < width; ++x) {
      const auto at = static_cast<std::size_t>((frame.Height - 1 - y) * RowStride(frame.Width) + x);
      const std::uint8_t index = at < frame.Pixels.size() ? frame.Pixels[at] : 0;
      const QRgb pixel = image.pixel(x, y);
      if (transparent && index == 0 ? qAlpha(pixel) != 0 : pixel != QtColor(index)) return false;
    }
  }
  return true;
}

}  // namespace

// Rows long enough to fill the dictionary, which is cleared and started again.
RC_GTEST_PROP(QtDecode, StillGifsShowTheirFrame, (bool transparent)) {
  const SprFrame frame = *gen::Frame(400, 3);
  const QImage image = QImage::fromData(ToQt(Converter_Gif::EncodeGif(kHeader, frame, transparent)), "GIF");
  RC_ASSERT(image.size() == QSize(frame.Width, frame.Height));
  RC_ASSERT(image.hasAlphaChannel() == transparent);
  RC_ASSERT(ShowsFrame(image, frame, frame.Width, transparent));
}

TEST(QtDecode, BitmapsAndIndexedPngsShowTheirFrameAndPalette) {
  const SprFrame frame = FrameFromRows({{1, 2, 3, 0, 5}, {0, 7, 255, 9, 0}, {6, 6, 0, 0, 1}});
  const QImage bmp = QImage::fromData(ToQt(Converter_Bmp::SerializeBmp(kHeader, frame)), "BMP");
  const QImage png = QImage::fromData(ToQt(Converter_Png::EncodeIndexedPng(kHeader, frame).value()), "PNG");
  EXPECT_TRUE(ShowsFrame(bmp, frame, 5, false));
  EXPECT_TRUE(ShowsFrame(png, frame, 5, true));
  EXPECT_EQ(png.size(), QSize(5, 3));
}

TEST(QtDecode, CanvasPngsShowTheirPixels) {
  Image canvas(6, 4);
  for (std::size_t i = 0; i < canvas.Pixels.size(); ++i) canvas.Pixels[i] = 0xFF000000u | static_cast<Argb>(i * 0x0B0D0F);
  const QImage image = QImage::fromData(ToQt(Converter_Png::EncodeRgbPng(canvas).value()), "PNG");
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x) EXPECT_EQ(image.pixel(x, y), canvas.At(x, y));
  }
}

// Straight alpha, kept as it is: Qt reads it unpremultiplied.
TEST(QtDecode, RgbaPngsKeepTheirAlpha) {
  Image picture(3, 2);
  picture.Pixels = {0x00000000, 0x80FF4020, 0xFF010203, 0x01FFFFFF, 0x7F102030, 0xFE00FF00};
  const QImage image = QImage::fromData(ToQt(Converter_Png::EncodeRgbaPng(picture).value()), "PNG");
  ASSERT_EQ(image.format(), QImage::Format_ARGB32);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) EXPECT_EQ(image.pixel(x, y), picture.At(x, y));
  }
}

// The picture loader composes alpha onto black.
TEST(QtDecode, PicturesQtWritesReadAsBackgrounds) {
  QImage argb(4, 2, QImage::Format_ARGB32);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 4; ++x) argb.setPixel(x, y, qRgba(40 * x, 100 + y, 200, x == 0 ? 0 : 255));
  }
  QImage indexed = argb.convertToFormat(QImage::Format_RGB32).convertToFormat(QImage::Format_Indexed8);
  indexed.setColorCount(256);  // else Qt writes a 4-bit bitmap
  for (const auto& [source, type] : {std::pair{argb, "PNG"}, {indexed, "PNG"}, {indexed, "BMP"},
                                     {argb.convertToFormat(QImage::Format_Grayscale8), "PNG"},
                                     {argb.convertToFormat(QImage::Format_RGBX64), "PNG"},
                                     {argb.convertToFormat(QImage::Format_RGB32), "BMP"}}) {
    auto image = Converter_Png::DecodePicture(SavedByQt(source, type));
    ASSERT_TRUE(image) << type << " " << source.format() << ": " << image.error().detail;
    for (int y = 0; y < 2; ++y) {
      for (int x = 0; x < 4; ++x) EXPECT_EQ(image->At(x, y), qPremultiply(source.pixel(x, y)) | 0xFF000000u) << type;
    }
  }
}
