#include <gtest/gtest.h>

#include "core/convert/converter_gif.h"
#include "core/decode/decode_support.h"

using namespace tessaloom;
using namespace tessaloom::decode;

namespace {

// Every pixel of `image` inside the frame's area shows its index: transparent for 0
// when `transparent`, else the palette colour.
void ExpectFramePixels(const QImage& image, const SprFrame& frame, int width, int stride,
                       const std::vector<std::uint8_t>& palette, bool transparent) {
  for (int y = 0; y < frame.Height; ++y) {
    for (int x = 0; x < width; ++x) {
      const std::uint8_t index = IndexAt(frame, stride, x, y);
      const QRgb pixel = image.pixel(x, y);
      if (transparent && index == 0) {
        ASSERT_EQ(qAlpha(pixel), 0) << x << "," << y;
      } else {
        ASSERT_EQ(pixel, QtColor(palette, index)) << x << "," << y << " index " << int(index);
      }
    }
  }
}

SprFrame RowsFrame(int width, const std::vector<std::vector<std::uint8_t>>& topDown) {
  SprFrame frame{.Width = static_cast<std::int16_t>(width), .Height = static_cast<std::int16_t>(topDown.size())};
  for (auto row = topDown.rbegin(); row != topDown.rend(); ++row) {
    std::vector<std::uint8_t> stored = *row;
    stored.resize(static_cast<std::size_t>(RowStride(width)), 0);
    frame.Pixels.insert(frame.Pixels.end(), stored.begin(), stored.end());
  }
  return frame;
}

}  // namespace

TEST(GifDecode, StillFramesOfEveryPaddingDecodeToTheirIndices) {
  const SprHeader header{.Palette = DistinctPalette()};
  for (int width = 1; width <= 9; ++width) {
    const SprFrame frame = RandomFrame(width, 4, static_cast<unsigned>(width));
    for (bool transparent : {true, false}) {
      const QImage image = DecodeWithQt(Converter_Gif::EncodeGif(header, frame, transparent), "GIF");
      ASSERT_EQ(image.size(), QSize(width, 4)) << width;
      ASSERT_EQ(image.hasAlphaChannel(), transparent);
      ExpectFramePixels(image, frame, width, RowStride(width), header.Palette, transparent);
    }
  }
}

TEST(GifDecode, LongRowsThroughFullDictionariesDecodeExactly) {
  std::vector<std::uint8_t> rising(700), repeating(700), mixed(700);
  for (std::size_t x = 0; x < 700; ++x) {
    rising[x] = static_cast<std::uint8_t>(x);
    repeating[x] = static_cast<std::uint8_t>(x / 3 % 5);
    mixed[x] = static_cast<std::uint8_t>((x * x + x / 7) % 251);
  }
  const SprFrame frame = RowsFrame(700, {rising, repeating, mixed, rising});
  const SprHeader header{.Palette = DistinctPalette()};
  const QImage image = DecodeWithQt(Converter_Gif::EncodeGif(header, frame, false), "GIF");
  ASSERT_EQ(image.size(), QSize(700, 4));
  ExpectFramePixels(image, frame, 700, RowStride(700), header.Palette, false);
}

TEST(GifDecode, AnimationHoldsEveryFrameAtItsStoredWidthForOneSecond) {
  const SprHeader header{.Palette = DistinctPalette()};
  const std::vector<SprFrame> frames{RandomFrame(5, 2, 1), RandomFrame(8, 3, 2), RandomFrame(3, 4, 3)};
  for (bool transparent : {true, false}) {
    auto gif = Converter_Gif::EncodeAnimatedGif(header, frames, transparent);
    ASSERT_TRUE(gif);
    QByteArray data = ToQByteArray(*gif);
    QBuffer buffer(&data);
    QImageReader reader(&buffer, "GIF");
    ASSERT_TRUE(reader.supportsAnimation());
    EXPECT_EQ(reader.imageCount(), 3);
    EXPECT_EQ(reader.size(), QSize(8, 4));
    for (const SprFrame& frame : frames) {
      const QImage image = reader.read();
      ASSERT_FALSE(image.isNull()) << reader.errorString().toStdString();
      EXPECT_EQ(reader.nextImageDelay(), 1000);
      // Padding columns are coded too: they show index 0.
      ExpectFramePixels(image, frame, RowStride(frame.Width), RowStride(frame.Width), header.Palette, transparent);
    }
  }
}
