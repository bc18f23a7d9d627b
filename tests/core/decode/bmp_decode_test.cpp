#include <gtest/gtest.h>

#include "core/convert/converter_bmp.h"
#include "core/decode/decode_support.h"

using namespace tessaloom;
using namespace tessaloom::decode;

TEST(BmpDecode, FramesOfEveryPaddingDecodeToTheirIndicesAndPalette) {
  const SprHeader header{.Palette = DistinctPalette()};
  for (int width = 1; width <= 9; ++width) {
    const SprFrame frame = RandomFrame(width, 3, static_cast<unsigned>(100 + width));
    const QImage image = DecodeWithQt(Converter_Bmp::SerializeBmp(header, frame), "BMP");
    ASSERT_EQ(image.size(), QSize(width, 3)) << width;
    ASSERT_EQ(image.format(), QImage::Format_Indexed8);
    const QList<QRgb> table = image.colorTable();
    ASSERT_EQ(table.size(), 256);
    for (int k = 0; k < 256; ++k) ASSERT_EQ(table[k], QtColor(header.Palette, static_cast<std::uint8_t>(k))) << k;
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < width; ++x) ASSERT_EQ(image.pixelIndex(x, y), IndexAt(frame, RowStride(width), x, y));
    }
  }
}

TEST(BmpDecode, ASpriteWithoutPaletteGivesAnAllBlackTable) {
  const QImage image = DecodeWithQt(Converter_Bmp::SerializeBmp(SprHeader{}, RandomFrame(3, 2, 7)), "BMP");
  ASSERT_EQ(image.size(), QSize(3, 2));
  for (QRgb color : image.colorTable()) EXPECT_EQ(color, qRgb(0, 0, 0));
}

TEST(BmpDecode, ReadsBitmapsQtWrites) {
  QImage written(7, 3, QImage::Format_Indexed8);
  QList<QRgb> table;
  for (int k = 0; k < 256; ++k) table.push_back(qRgb(k, 255 - k, k / 3));
  written.setColorTable(table);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 7; ++x) written.setPixel(x, y, static_cast<uint>(x * 30 + y));
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  ASSERT_TRUE(buffer.open(QIODevice::WriteOnly));
  ASSERT_TRUE(written.save(&buffer, "BMP"));

  auto image = Converter_Bmp::ParseBmp(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()),
                                                 static_cast<std::size_t>(bytes.size())));
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
