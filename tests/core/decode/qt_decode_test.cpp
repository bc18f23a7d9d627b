// Our GIF, BMP and PNG files decoded by an independent decoder, Qt's image readers,
// and pictures Qt writes read by ours.

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <QBuffer>
#include <QImage>
#include <QImageReader>

#include "core/convert/converter_bmp.h"
#include "core/convert/converter_gif.h"
#include "core/convert/converter_png.h"
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

// The index at (x, y), y counted from the top, in stored rows of `stride`; 0 past the pixels.
std::uint8_t IndexAt(const SprFrame& frame, int stride, int x, int y) {
  const std::size_t at = static_cast<std::size_t>((frame.Height - 1 - y) * stride + x);
  return at < frame.Pixels.size() ? frame.Pixels[at] : 0;
}

// Every pixel of the frame's area, `width` wide, shows its index: transparent for 0 when
// `transparent`.
bool ShowsFrame(const QImage& image, const SprFrame& frame, int width, bool transparent) {
  if (image.width() < width || image.height() < frame.Height) return false;
  for (int y = 0; y < frame.Height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::uint8_t index = IndexAt(frame, RowStride(frame.Width), x, y);
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

TEST(QtDecode, AnimatedGifsShowEveryFrameAtItsStoredWidthForOneSecond) {
  const std::vector<SprFrame> frames{SolidFrame(5, 2, 0), FrameFromRows({{1, 2, 3, 0, 5, 6, 7, 8}, {0, 0, 9, 9, 9, 1, 0, 2}}),
                                     FrameFromRows({{4, 0, 4}, {0, 4, 0}, {4, 0, 4}, {3, 3, 3}})};
  auto gif = Converter_Gif::EncodeAnimatedGif(kHeader, frames, true);
  ASSERT_TRUE(gif);
  QByteArray data = ToQt(*gif);
  QBuffer buffer(&data);
  QImageReader reader(&buffer, "GIF");
  EXPECT_EQ(reader.imageCount(), 3);
  EXPECT_EQ(reader.size(), QSize(8, 4));
  for (const SprFrame& frame : frames) {
    const QImage image = reader.read();
    EXPECT_EQ(reader.nextImageDelay(), 1000);
    EXPECT_TRUE(ShowsFrame(image, frame, RowStride(frame.Width), true));  // padding columns show index 0
  }
}

TEST(QtDecode, BitmapsAndIndexedPngsShowTheirFrameAndPalette) {
  const SprFrame frame = FrameFromRows({{1, 2, 3, 0, 5}, {0, 7, 255, 9, 0}, {6, 6, 0, 0, 1}});
  const QImage bmp = QImage::fromData(ToQt(Converter_Bmp::SerializeBmp(kHeader, frame)), "BMP");
  const QImage png = QImage::fromData(ToQt(Converter_Png::EncodeIndexedPng(kHeader, frame).value()), "PNG");
  for (const QImage& image : {bmp, png}) {
    ASSERT_EQ(image.format(), QImage::Format_Indexed8);
    ASSERT_EQ(image.size(), QSize(5, 3));
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < 5; ++x) EXPECT_EQ(image.pixelIndex(x, y), IndexAt(frame, 8, x, y)) << x << "," << y;
    }
    for (int k = 1; k < 256; ++k) EXPECT_EQ(image.colorTable().at(k), QtColor(static_cast<std::uint8_t>(k))) << k;
  }
  EXPECT_EQ(bmp.colorTable().at(0), QtColor(0));
  EXPECT_EQ(qAlpha(png.colorTable().at(0)), 0);
}

TEST(QtDecode, CanvasPngsShowTheirPixels) {
  Image canvas(6, 4);
  for (std::size_t i = 0; i < canvas.Pixels.size(); ++i) canvas.Pixels[i] = 0xFF000000u | static_cast<Argb>(i * 0x0B0D0F);
  const QImage image = QImage::fromData(ToQt(Converter_Png::EncodeRgbPng(canvas).value()), "PNG");
  ASSERT_EQ(image.size(), QSize(6, 4));
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 6; ++x) EXPECT_EQ(image.pixel(x, y), canvas.At(x, y));
  }
}

TEST(QtDecode, BitmapsQtWritesReadAsFrames) {
  QImage written(7, 3, QImage::Format_Indexed8);
  QList<QRgb> table;
  for (int k = 0; k < 256; ++k) table.push_back(qRgb(k, 255 - k, k / 3));
  written.setColorTable(table);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 7; ++x) written.setPixel(x, y, static_cast<uint>(x * 30 + y));
  }
  auto image = Converter_Bmp::ParseBmp(SavedByQt(written, "BMP"));
  ASSERT_TRUE(image) << image.error().detail;
  ASSERT_EQ(image->Width, 7);
  ASSERT_EQ(image->Height, 3);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 7; ++x) EXPECT_EQ(image->Pixels[static_cast<std::size_t>((2 - y) * 8 + x)], x * 30 + y);
  }
  for (int k = 0; k < 256; ++k) {
    const std::size_t at = 4 * static_cast<std::size_t>(k);
    EXPECT_EQ(qRgb(image->ColorTable[at + 2], image->ColorTable[at + 1], image->ColorTable[at]), table[k]);
  }
}

// An alpha channel is composed onto black.
TEST(QtDecode, PicturesQtWritesLoadAsBackgrounds) {
  QImage argb(4, 2, QImage::Format_ARGB32);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 4; ++x) argb.setPixel(x, y, qRgba(40 * x, 100 + y, 200, x == 0 ? 0 : 255));
  }
  const QImage opaque = argb.convertToFormat(QImage::Format_RGB32);
  for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_Grayscale8, QImage::Format_RGBX64,
                                QImage::Format_Indexed8}) {
    const QImage source = argb.convertToFormat(format);
    for (const char* type : {"PNG", "BMP"}) {
      if (std::string(type) == "BMP" && source.depth() != 8 && source.depth() != 32) continue;
      auto image = Converter_Png::DecodePicture(SavedByQt(source, type));
      ASSERT_TRUE(image) << type << " " << format << ": " << image.error().detail;
      const QImage expected = source.convertToFormat(QImage::Format_RGB32);
      for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 4; ++x) EXPECT_EQ(image->At(x, y), expected.pixel(x, y)) << type << " " << format;
      }
    }
  }
  auto image = Converter_Png::DecodePicture(SavedByQt(argb, "PNG"));
  ASSERT_TRUE(image);
  EXPECT_EQ(image->At(0, 0), 0xFF000000u);
  EXPECT_EQ(image->At(1, 1), opaque.pixel(1, 1));
}
