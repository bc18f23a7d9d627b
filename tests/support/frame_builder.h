#pragma once
// Tiny frames and palettes written the way a person reads them, for render tests and
// benchmarks, and a probe that finds what a draw changed on a canvas.

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "core/common/image.h"
#include "core/sprite/palette.h"
#include "core/sprite/spr_document.h"

namespace tessaloom {

// A frame from its rows top row first, all of one length: stored bottom-up, each row
// padded to RowStride(width) with `padding` (0 in every real frame; another value
// proves the padding is never read).
SprFrame FrameFromRows(const std::vector<std::vector<std::uint8_t>>& topDownRows,
                       std::uint8_t padding = 0);

// A width x height frame of one palette index.
SprFrame SolidFrame(int width, int height, std::uint8_t index);

// A sprite of `frames` whose palette is TestPaletteFileOrder() read into memory order.
SprDocument SpriteOf(std::vector<SprFrame> frames);

// A sprite using everything a file can carry: frames of every width from 1 to 9 (each
// row padding), zero runs short, long (past the 62 of one pair) and across rows, and
// after the frames a 32-bit colour frame (counted in the reserved header bytes) and
// bytes no frame claims.
SprDocument VariedSprite();

// A palette in memory order (blue, green, red, 0) holding exactly the given entries,
// index 0 first; a real palette has 256.
std::vector<std::uint8_t> PaletteOf(std::initializer_list<Color> colors);

// The smallest rectangle holding every canvas pixel that is not `background`;
// Width 0 when there is none.
struct PixelRect {
  int X = 0, Y = 0, Width = 0, Height = 0;

  bool operator==(const PixelRect&) const = default;
};
PixelRect BoundsOfPixelsOtherThan(const Image& canvas, Argb background);

}  // namespace tessaloom
