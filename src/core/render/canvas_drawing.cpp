#include "core/render/canvas_drawing.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <utility>
#include <vector>

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

namespace tessaloom::Painter {
namespace {

constexpr std::int32_t kColorFrameSpriteType = 1;

Error DrawError(std::string detail) {
  return Error{.title = "Tessaloom+", .text = "error draw", .detail = std::move(detail)};
}

bool IsIndexInside(int index, std::size_t count) {
  return index >= 0 && static_cast<std::size_t>(index) < count;
}

// Colour frames (SpriteType 1) live in a part of the sprite that is not decoded.
bool ShowsIndexedFrame(const ActLayer& layer, const SprDocument& sprite) {
  return layer.SpriteType != kColorFrameSpriteType &&
         IsIndexInside(layer.SpriteIndex, sprite.Frames.size());
}

}  // namespace

Result<const ActClip*> FindClip(const ActData* act, int action, int clip) {
  if (act == nullptr) return DrawError("No action file is loaded.");
  if (!IsIndexInside(action, act->Actions.size())) {
    return DrawError("Action " + std::to_string(action) + " is not among the " +
                     std::to_string(act->Actions.size()) + " actions of the action file.");
  }
  const ActAction& inAction = act->Actions[static_cast<std::size_t>(action)];
  if (!IsIndexInside(clip, inAction.Clips.size())) {
    return DrawError("Clip " + std::to_string(clip) + " is not among the " +
                     std::to_string(inAction.Clips.size()) + " clips of action " +
                     std::to_string(action) + ".");
  }
  return &inAction.Clips[static_cast<std::size_t>(clip)];
}

Status DrawClip(Image& canvas, const SprDocument& sprite, const ActData* act, int action, int clip,
                const ViewSettings& view) {
  const Result<const ActClip*> found = FindClip(act, action, clip);
  if (!found) return found.error();
  std::vector<FrameDraw> layers;
  for (const ActLayer& layer : (*found)->Layers) {
    if (!ShowsIndexedFrame(layer, sprite)) continue;
    const SprFrame& frame = sprite.Frames[static_cast<std::size_t>(layer.SpriteIndex)];
    layers.push_back({&frame, PlaceFrame(frame.Width, frame.Height, view, layer.PosX, layer.PosY)});
  }
  // One clear for the whole clip rather than by the first layer, so a skipped or
  // empty first layer cannot leave the previous picture under the others.
  DrawFrames(canvas, view, /*clearFirst=*/true,
             MakeColorTable(sprite.Header.Palette, view.Transparent, view.HighlightIndex), layers);
  return {};
}

}  // namespace tessaloom::Painter
