#include "core/render/preview_drawing.h"

#include <algorithm>
#include <cstddef>

#include "core/render/painter.h"

namespace tessaloom::Preview {

int Scale(int zoomStep) { return std::clamp(zoomStep, kMinZoomStep, kMaxZoomStep) - 2; }

int FrameCount(const SprDocument& sprite) {
  return static_cast<int>(sprite.Frames.size() + sprite.RgbaFrames.size());
}

FrameSize SizeOfFrame(const SprDocument& sprite, int frameNumber) {
  if (frameNumber < 1 || frameNumber > FrameCount(sprite)) return {};
  const auto index = static_cast<std::size_t>(frameNumber - 1);
  if (index < sprite.Frames.size()) return {sprite.Frames[index].Width, sprite.Frames[index].Height};
  const SprRgbaFrame& frame = sprite.RgbaFrames[index - sprite.Frames.size()];
  return {frame.Width, frame.Height};
}

// Placeholder until the game's drawing lands: the cleared canvas.
void DrawFrame(Image& canvas, const SprDocument&, int, const ViewSettings& view) {
  Painter::ClearCanvas(canvas, view);
}

void ComposeClip(Image&, const SprDocument&, const ActClip&, std::uint16_t, const ClipPlacement&) {}

Status DrawClip(Image& canvas, const SprDocument&, const ActData* act, int, int, const ViewSettings& view) {
  if (act == nullptr) return Error{.title = "Tessaloom+", .text = "error draw"};
  Painter::ClearCanvas(canvas, view);
  return {};
}

}  // namespace tessaloom::Preview
