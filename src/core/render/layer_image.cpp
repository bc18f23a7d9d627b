#include "core/render/layer_image.h"

#include <algorithm>
#include <cstddef>

namespace tessaloom::Preview {
namespace {

Argb Channel(Argb pixel, int shift, std::uint8_t factor) {
  const Argb value = (pixel >> shift) & 0xFFu;
  return ((value * factor + 127) / 255) << shift;
}

bool IsIdentity(const Tint& tint) {
  return tint.Red == 255 && tint.Green == 255 && tint.Blue == 255 && tint.Alpha == 255;
}

template <class Stored>
bool IsDrawable(int width, int height, const std::vector<Stored>& pixels) {
  return width > 0 && height > 0 && !pixels.empty();
}

// The stored value at `at`, or the last one past the end.
template <class Stored>
Stored StoredAt(const std::vector<Stored>& pixels, std::size_t at) {
  return at < pixels.size() ? pixels[at] : pixels.back();
}

}  // namespace

Argb Tinted(Argb pixel, const Tint& tint) {
  return Channel(pixel, 24, tint.Alpha) | Channel(pixel, 16, tint.Red) | Channel(pixel, 8, tint.Green) |
         Channel(pixel, 0, tint.Blue);
}

Image LayerImage(const SprFrame& frame, const Painter::ColorTable& colors, const Tint& tint) {
  if (!IsDrawable(frame.Width, frame.Height, frame.Pixels)) return {};
  Painter::ColorTable tinted = colors;
  if (!IsIdentity(tint)) std::ranges::transform(tinted, tinted.begin(), [&](Argb color) { return Tinted(color, tint); });
  Image image(frame.Width, frame.Height);
  const auto stride = static_cast<std::size_t>(RowStride(frame.Width));
  for (int y = 0; y < image.Height; ++y) {
    const std::size_t rowStart = static_cast<std::size_t>(image.Height - 1 - y) * stride;
    for (int x = 0; x < image.Width; ++x) image.At(x, y) = tinted[StoredAt(frame.Pixels, rowStart + static_cast<std::size_t>(x))];
  }
  return image;
}

Image LayerImage(const SprRgbaFrame& frame, const Tint& tint) {
  if (!IsDrawable(frame.Width, frame.Height, frame.Pixels)) return {};
  Image image(frame.Width, frame.Height);
  const bool untinted = IsIdentity(tint);
  for (std::size_t at = 0; at < image.Pixels.size(); ++at) {
    const Argb pixel = StoredAt(frame.Pixels, at);
    image.Pixels[at] = untinted ? pixel : Tinted(pixel, tint);
  }
  return image;
}

}  // namespace tessaloom::Preview
