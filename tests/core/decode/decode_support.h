#pragma once
// What the decoding tests share: sample frames and palettes, and our bytes handed to
// Qt's image readers, an independent decoder.

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>

#include <cstdint>
#include <random>
#include <vector>

#include "core/sprite/spr_document.h"

namespace tessaloom::decode {

inline QByteArray ToQByteArray(const std::vector<std::uint8_t>& bytes) {
  return QByteArray(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
}

inline QImage DecodeWithQt(const std::vector<std::uint8_t>& bytes, const char* format) {
  return QImage::fromData(ToQByteArray(bytes), format);
}

// Palette entry k: blue 255 - k, green 3k, red k (mod 256), so every entry differs.
inline std::vector<std::uint8_t> DistinctPalette() {
  std::vector<std::uint8_t> palette;
  for (int k = 0; k < 256; ++k) {
    palette.insert(palette.end(), {static_cast<std::uint8_t>(255 - k), static_cast<std::uint8_t>(3 * k),
                                   static_cast<std::uint8_t>(k), 0});
  }
  return palette;
}

inline QRgb QtColor(const std::vector<std::uint8_t>& palette, std::uint8_t index) {
  return qRgb(palette[4 * index + 2], palette[4 * index + 1], palette[4 * index]);
}

// A width x height frame of seeded random indices, about a third of them 0, stored as
// frames are (bottom-up rows padded with zeros).
inline SprFrame RandomFrame(int width, int height, unsigned seed) {
  std::mt19937 random(seed);
  SprFrame frame{.Width = static_cast<std::int16_t>(width), .Height = static_cast<std::int16_t>(height)};
  const int stride = RowStride(width);
  frame.Pixels.assign(static_cast<std::size_t>(stride) * height, 0);
  for (int row = 0; row < height; ++row) {
    for (int x = 0; x < width; ++x) {
      const auto value = random() % 384;
      frame.Pixels[static_cast<std::size_t>(row * stride + x)] = value >= 256 ? 0 : static_cast<std::uint8_t>(value);
    }
  }
  return frame;
}

// The index at image position (x, y), y counted from the top, in rows of `stride`.
inline std::uint8_t IndexAt(const SprFrame& frame, int stride, int x, int y) {
  const std::size_t at = static_cast<std::size_t>((frame.Height - 1 - y) * stride + x);
  return at < frame.Pixels.size() ? frame.Pixels[at] : 0;
}

}  // namespace tessaloom::decode
