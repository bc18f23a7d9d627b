#include "core/render/layer_pixels.h"

namespace tessaloom::Preview {
namespace {

Argb Channel(Argb pixel, int shift, std::uint8_t factor) {
  const Argb value = (pixel >> shift) & 0xFFu;
  return ((value * factor + 127) / 255) << shift;
}

bool IsIdentity(const Tint& tint) {
  return tint.Red == 255 && tint.Green == 255 && tint.Blue == 255 && tint.Alpha == 255;
}

}  // namespace

Argb Tinted(Argb pixel, const Tint& tint) {
  return Channel(pixel, 24, tint.Alpha) | Channel(pixel, 16, tint.Red) | Channel(pixel, 8, tint.Green) |
         Channel(pixel, 0, tint.Blue);
}

IndexedPixels::IndexedPixels(const SprFrame& frame, const Painter::ColorTable& colors, const Tint& tint)
    : m_width(frame.Width), m_height(frame.Height), m_indices(frame.Pixels), m_colors(colors) {
  if (IsIdentity(tint)) return;
  for (Argb& color : m_colors) color = Tinted(color, tint);
}

RgbaPixels::RgbaPixels(const SprRgbaFrame& frame, const Tint& tint)
    : m_width(frame.Width), m_height(frame.Height), m_pixels(frame.Pixels), m_tint(tint),
      m_untinted(IsIdentity(tint)) {}

}  // namespace tessaloom::Preview
