#pragma once
// Drawing one sprite frame: centred on the client area, zoomed, with or without the
// key colour left out. Drawing reads the document and never changes it.

#include "core/common/image.h"
#include "core/render/view_settings.h"
#include "core/sprite/spr_document.h"

namespace tessaloom {
namespace Tool_Spr {

// Draws `frame` centred on the view's client area, shifted by the offsets (canvas
// pixels, not scaled). Unless `overlay`, the canvas is cleared first. A frame with
// no pixels draws nothing and leaves the canvas as it was.
void DrawSprite(Image& canvas, const SprHeader& header, const SprFrame& frame,
                const ViewSettings& view, int offsetX, int offsetY, bool overlay);

}  // namespace Tool_Spr

// The whole canvas of sprite mode: cleared, then frame `frameNumber` (1-based) drawn
// over it. A frame number outside the sprite leaves just the cleared canvas.
void DrawSpriteFrame(Image& canvas, const SprDocument& sprite, int frameNumber,
                     const ViewSettings& view);

}  // namespace tessaloom
