#pragma once
// Drawing one clip of an action: its layers, each a sprite frame at an offset,
// stacked in order over one cleared canvas.

#include "core/actions/act_data.h"
#include "core/common/result.h"
#include "core/common/image.h"
#include "core/render/view_settings.h"
#include "core/sprite/spr_document.h"

namespace tessaloom::Painter {

// Clears the canvas once, then draws the layers of clip `clip` (0-based) of action
// `action` (0-based) in order, later layers over earlier ones; layer offsets are
// canvas pixels, not scaled. A layer that shows no indexed frame of the sprite (its
// SpriteIndex outside the frames, such as -1, or a 32-bit colour frame) is skipped.
// Fails with "error draw", leaving the canvas untouched, when there is no action
// file or the action or clip is not in it.
Status DrawClip(Image& canvas, const SprDocument& sprite, const ActData* act, int action, int clip,
                const ViewSettings& view);

}  // namespace tessaloom::Painter
