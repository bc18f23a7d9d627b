#pragma once
// The image of one layer as the layer drawing reads it: 0xAARRGGBB straight alpha,
// top row first, the layer's colour already applied. Making it once per layer keeps
// the palette, the row order and the tint out of the per-pixel work.

#include <cstdint>

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

// The layer image of an indexed frame, into `image`, whose memory is reused: the
// frame seen through a colour table in which a left-out index has alpha 0. As in the
// old drawing, a position past the end of Pixels reads its last byte; a frame without
// pixels gives an empty image.
void FillLayerImage(Image& image, const SprFrame& frame, const Painter::ColorTable& colors, const Tint& tint);

// The same for a 32-bit frame; positions past the end of malformed pixel data read the
// last pixel.
void FillLayerImage(Image& image, const SprRgbaFrame& frame, const Tint& tint);

}  // namespace tessaloom::Preview
