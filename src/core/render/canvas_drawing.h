#pragma once
// The two pictures of the canvas: one sprite frame (sprite mode), centred on the
// client area and zoomed, and one clip of an action (action mode), its layers stacked
// in order over one cleared canvas. Drawing reads the document and never changes it.

#include "core/actions/act_data.h"
#include "core/common/image.h"
#include "core/common/result.h"
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

namespace tessaloom::Painter {

// Clip `clip` (0-based) of action `action` (0-based). Fails with "error draw" when
// there is no action file or the action or clip is not in it.
Result<const ActClip*> FindClip(const ActData* act, int action, int clip);

// Clears the canvas once, then draws the layers of clip `clip` (0-based) of action
// `action` (0-based) in order, later layers over earlier ones; layer offsets are
// canvas pixels, not scaled. A layer that shows no indexed frame of the sprite (its
// SpriteIndex outside the frames, such as -1, or a 32-bit colour frame) is skipped.
// Fails with "error draw", leaving the canvas untouched, when there is no action
// file or the action or clip is not in it.
Status DrawClip(Image& canvas, const SprDocument& sprite, const ActData* act, int action, int clip,
                const ViewSettings& view);

}  // namespace tessaloom::Painter
