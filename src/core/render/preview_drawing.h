#pragma once
// The canvas as the game shows it (Preview Mode). Pixels are whole squares of an
// integer scale; a frame is centred on the canvas; the layers of a clip are placed
// about the canvas centre with their offsets scaled, their mirror flag, scale,
// rotation and colour, and blended with their alpha. Drawing reads the document and
// never changes it.

#include "core/actions/act_data.h"
#include "core/common/image.h"
#include "core/common/result.h"
#include "core/render/view_settings.h"
#include "core/sprite/spr_document.h"

namespace tessaloom::Preview {

// The integer scale of a zoom step: step - 2 ("x1" is 1, "9x" is 9); a step outside
// 3..11 is taken as the nearest step inside.
int Scale(int zoomStep);

// The frames Preview Mode lists: the indexed frames, then the 32-bit colour frames.
int FrameCount(const SprDocument& sprite);

struct FrameSize {
  int Width = 0;
  int Height = 0;
};
// The size of frame `frameNumber` (1-based over the list above); 0 x 0 outside it.
FrameSize SizeOfFrame(const SprDocument& sprite, int frameNumber);

// Where DrawFrame puts a frame of `size` on a canvas of the given size.
FramePlacement PlaceFrame(int canvasWidth, int canvasHeight, FrameSize size, int zoomStep);

// Clears the canvas (background colour, then the background picture), then draws
// frame `frameNumber` (1-based over FrameCount's list) at scale s = Scale(ZoomStep)
// with its top-left corner at (floor((Cw - s*W) / 2), floor((Ch - s*H) / 2)), Cw and
// Ch the canvas's size. An indexed frame leaves out index 0 when view.Transparent (and
// only index 0) and shows view.HighlightIndex as the old drawing does; a 32-bit frame
// is blended with its own alpha. A number outside the list leaves the cleared canvas.
void DrawFrame(Image& canvas, const SprDocument& sprite, int frameNumber, const ViewSettings& view);

// Where a clip is drawn and how.
struct ClipPlacement {
  int OriginX = 0;  // the canvas point the layers' offsets count from
  int OriginY = 0;
  int Scale = 1;
  bool Transparent = true;  // index 0 of indexed frames draws nothing
  int HighlightIndex = -1;  // as ViewSettings::HighlightIndex; -1 for none
};

// Draws the layers of `clip` over the canvas as it is, in order, the game's way: the
// image's centre goes to C = origin + s * (PosX, PosY); canvas pixel (x, y), centre
// p = (x + 0.5, y + 0.5), takes image pixel (floor(u + W/2), floor(v + H/2)) where
// (u', v) = R(-Rotation) * (p - C) / s, u' and v divided by ScaleX and ScaleY, u = -u'
// when Direction is non-zero (see DrawLayer). The layer's Red, Green, Blue and Alpha
// scale the image's channels (c * t / 255, rounded to nearest), and the result is
// blended over the canvas with its alpha (BlendOver: "source over", straight alpha,
// rounded to nearest). A layer whose frame does not exist (SpriteType 1 names a
// 32-bit frame, any other type an indexed one), or whose scale is 0 or not finite,
// draws nothing; the clip's Extra slot is never drawn. For an action file before
// version 2.0 (`versionWord` below 0x0200) layers are untinted, at scale 1 and
// unrotated, though still mirrored. The canvas may have transparency (0xAARRGGBB
// straight alpha, as an action export starts from all 0); an opaque canvas stays
// opaque.
void ComposeClip(Image& canvas, const SprDocument& sprite, const ActClip& clip, std::uint16_t versionWord,
                 const ClipPlacement& placement);

// The canvas of action mode: cleared once (background colour and picture), then clip
// `clip` of action `action` (both 0-based) composed with its origin at the canvas
// centre (floor(Cw / 2), floor(Ch / 2)) at Scale(ZoomStep), view.Transparent deciding
// index 0 and view.HighlightIndex highlighting as in DrawFrame. Fails with "error draw", leaving the canvas untouched, as Painter::DrawClip
// does when there is no action file or the action or clip is not in it.
Status DrawClip(Image& canvas, const SprDocument& sprite, const ActData* act, int action, int clip,
                const ViewSettings& view);

}  // namespace tessaloom::Preview
