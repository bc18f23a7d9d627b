#pragma once
// The canvas operations every draw is made of: clearing to the view's background,
// and the nearest-pixel scaled copy of indexed frames that leaves out the key colour
// (the transparent blit).

#include <array>
#include <cstdint>
#include <span>

#include "core/common/image.h"
#include "core/render/view_settings.h"
#include "core/sprite/spr_document.h"

namespace tessaloom::Painter {

// Display colour of every palette index. Real colours are opaque, so an entry with
// no alpha cannot be one: it marks an index whose pixels keep the canvas pixel.
using ColorTable = std::array<Argb, kPaletteEntries>;
inline constexpr Argb kKeptOut = 0;

// With `transparent`, every index whose colour equals entry 0's colour is kept out,
// whatever its number; a palette shorter than 256 entries reads black past its end.
// Entry `highlightIndex` (none when outside 0..255) takes part with red and blue
// exchanged, as if the palette held it so, the key colour included.
ColorTable MakeColorTable(std::span<const std::uint8_t> palette, bool transparent, int highlightIndex = -1);

// One frame to copy and the canvas rectangle it is scaled to.
struct FrameDraw {
  const SprFrame* Frame = nullptr;  // never null when drawn
  FramePlacement Target;
};

// Fills the canvas with the background colour (or the checkerboard, its top-left
// square light), then copies the background picture,
// if any, unscaled with its top-left corner at the canvas's.
void ClearCanvas(Image& canvas, const ViewSettings& view);

// Copies the frames in order, later ones over earlier ones, after clearing the canvas
// when `clearFirst`. Canvas pixel (X + i, Y + j) of a target takes frame pixel
// (floor(i * W / Wd), floor(j * H / Hd)), image row 0 being the top; pixels whose
// colour is kKeptOut leave the canvas as it was, and what falls outside the canvas
// is clipped. Exactly Width columns of each stored row are read, and a position
// past the end of Pixels reads its last byte; a frame without pixels draws nothing.
// The canvas is visited once, row by row, so each row is finished while in cache.
void DrawFrames(Image& canvas, const ViewSettings& view, bool clearFirst, const ColorTable& colors,
                std::span<const FrameDraw> frames);

}  // namespace tessaloom::Painter
