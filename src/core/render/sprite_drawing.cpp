#include "core/render/sprite_drawing.h"

#include <cstddef>
#include <span>

#include "core/render/frame_placement.h"
#include "core/render/painter.h"

namespace tessaloom {
namespace {

void DrawOneFrame(Image& canvas, const SprHeader& header, const SprFrame* frame,
                  const ViewSettings& view, int offsetX, int offsetY, bool clearFirst) {
  std::span<const Painter::FrameDraw> frames;
  Painter::FrameDraw draw;
  if (frame != nullptr) {
    draw = {frame, PlaceFrame(frame->Width, frame->Height, view, offsetX, offsetY)};
    frames = {&draw, 1};
  }
  Painter::DrawFrames(canvas, view, clearFirst,
                      Painter::MakeColorTable(header.Palette, view.Transparent, view.HighlightIndex), frames);
}

}  // namespace

namespace Tool_Spr {

void DrawSprite(Image& canvas, const SprHeader& header, const SprFrame& frame,
                const ViewSettings& view, int offsetX, int offsetY, bool overlay) {
  if (frame.Pixels.empty()) return;
  DrawOneFrame(canvas, header, &frame, view, offsetX, offsetY, /*clearFirst=*/!overlay);
}

}  // namespace Tool_Spr

void DrawSpriteFrame(Image& canvas, const SprDocument& sprite, int frameNumber,
                     const ViewSettings& view) {
  // Cleared even for an empty frame or one outside the sprite, so the canvas never
  // keeps the picture of the frame shown before.
  const bool inside =
      frameNumber >= 1 && static_cast<std::size_t>(frameNumber) <= sprite.Frames.size();
  const SprFrame* frame =
      inside ? &sprite.Frames[static_cast<std::size_t>(frameNumber) - 1] : nullptr;
  DrawOneFrame(canvas, sprite.Header, frame, view, 0, 0, /*clearFirst=*/true);
}

}  // namespace tessaloom
