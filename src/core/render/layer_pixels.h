#pragma once
// The image of one layer as the layer drawing reads it: tinted colours with straight
// alpha, addressed by an offset made of a row start and a column. Indexed frames keep
// their bottom-up padded rows and 32-bit frames their top-down rows, so nothing is
// converted before drawing; the tint is folded into a colour table for indexed frames
// and into per-channel tables for 32-bit ones.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "core/common/image.h"
#include "core/render/painter.h"
#include "core/sprite/spr_document.h"

namespace tessaloom::Preview {

// A layer's colour: each channel of the image is multiplied by its value over 255,
// rounded to nearest. The default changes nothing.
struct Tint {
  std::uint8_t Red = 255;
  std::uint8_t Green = 255;
  std::uint8_t Blue = 255;
  std::uint8_t Alpha = 255;
};

// The tinted colour of a pixel 0xAARRGGBB.
Argb Tinted(Argb pixel, const Tint& tint);

// An indexed frame seen through a colour table in which a left-out index has alpha 0.
// As in the old drawing, an offset past the end of Pixels reads its last byte.
class IndexedPixels {
 public:
  IndexedPixels(const SprFrame& frame, const Painter::ColorTable& colors, const Tint& tint);

  int Width() const { return m_width; }
  int Height() const { return m_height; }
  bool IsEmpty() const { return m_width <= 0 || m_height <= 0 || m_indices.empty(); }
  // Image row 0 is the top row, stored last.
  std::ptrdiff_t RowStart(int row) const {
    return static_cast<std::ptrdiff_t>(m_height - 1 - row) * RowStride(m_width);
  }
  Argb At(std::ptrdiff_t offset) const {
    const auto at = static_cast<std::size_t>(offset);
    return m_colors[at < m_indices.size() ? m_indices[at] : m_indices.back()];
  }

 private:
  int m_width;
  int m_height;
  std::span<const std::uint8_t> m_indices;
  Painter::ColorTable m_colors;
};

// A 32-bit frame (straight alpha, top-down rows without padding). Offsets past the
// end of malformed pixel data read the last pixel, as indexed frames do.
class RgbaPixels {
 public:
  RgbaPixels(const SprRgbaFrame& frame, const Tint& tint);

  int Width() const { return m_width; }
  int Height() const { return m_height; }
  bool IsEmpty() const { return m_width <= 0 || m_height <= 0 || m_pixels.empty(); }
  std::ptrdiff_t RowStart(int row) const { return static_cast<std::ptrdiff_t>(row) * m_width; }
  Argb At(std::ptrdiff_t offset) const {
    const auto at = static_cast<std::size_t>(offset);
    const Argb pixel = at < m_pixels.size() ? m_pixels[at] : m_pixels.back();
    return m_untinted ? pixel : Tinted(pixel, m_tint);
  }

 private:
  int m_width;
  int m_height;
  std::span<const std::uint32_t> m_pixels;
  Tint m_tint;
  bool m_untinted;
};

}  // namespace tessaloom::Preview
