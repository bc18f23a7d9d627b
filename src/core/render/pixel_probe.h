#pragma once
// The frame pixel under a point of the canvas, as the status bar reports it while
// the mouse moves over a frame.

#include <optional>

#include "core/common/image.h"
#include "core/render/view_settings.h"
#include "core/sprite/spr_document.h"

namespace tessaloom {

struct ProbedPixel {
  int X = 0;  // in the frame, from its top-left corner
  int Y = 0;
  int Index = -1;  // the palette index; -1 in a 32-bit colour frame
  Argb Color = 0;  // 0xAARRGGBB: a palette colour is opaque
};

// Frame `frameNumber` (1-based: the indexed frames, then the 32-bit ones) drawn at
// `placement`, canvas pixel (X + i, Y + j) showing frame pixel
// (floor(i * W / Width), floor(j * H / Height)). Nothing when the point lies outside
// the placement or the frame has no pixels there; a position past the end of an
// indexed frame's Pixels reads its last byte, as drawing does.
std::optional<ProbedPixel> ProbeFrame(const SprDocument& sprite, int frameNumber, const FramePlacement& placement,
                                      int x, int y);

}  // namespace tessaloom
