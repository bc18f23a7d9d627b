#pragma once
// A 32-bit picture in memory: the canvas the renderer draws on, and background
// pictures. Pixels are 0xFFRRGGBB, rows top-down with no padding, so a window can
// show the buffer as it is (the layout of Qt's RGB32 images). Pictures that have
// transparency (32-bit colour frames, composed clips of an action export) keep
// straight, not premultiplied, alpha in the top byte: 0xAARRGGBB.

#include <cstdint>
#include <vector>

#include "core/common/color.h"

namespace tessaloom {

using Argb = std::uint32_t;

constexpr Argb ToArgb(Color color) {
  return 0xFF000000u | (Argb{RedOf(color)} << 16) | (Argb{GreenOf(color)} << 8) | BlueOf(color);
}
constexpr Color FromArgb(Argb pixel) {
  return MakeColor(static_cast<std::uint8_t>(pixel >> 16), static_cast<std::uint8_t>(pixel >> 8),
                   static_cast<std::uint8_t>(pixel));
}

struct Image {
  int Width = 0;
  int Height = 0;
  std::vector<Argb> Pixels;  // Width * Height, row-major, top row first

  Image() = default;
  Image(int width, int height, Argb fill = 0xFF000000u)
      : Width(width), Height(height), Pixels(static_cast<std::size_t>(width) * height, fill) {}

  Argb& At(int x, int y) { return Pixels[static_cast<std::size_t>(y) * Width + x]; }
  Argb At(int x, int y) const { return Pixels[static_cast<std::size_t>(y) * Width + x]; }

  bool operator==(const Image&) const = default;
};

}  // namespace tessaloom
