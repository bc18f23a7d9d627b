#include "core/render/preview_drawing.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "core/render/canvas_drawing.h"
#include "core/render/layer_drawing.h"
#include "core/render/layer_image.h"
#include "core/render/painter.h"

namespace tessaloom::Preview {
namespace {

// Layer colour, scale and rotation joined the layer record in version 2.0; older
// files leave those fields 0.
constexpr std::uint16_t kTransformedLayersVersion = 0x0200;
constexpr std::int32_t kRgbaSpriteType = 1;

// Only index 0 is left out, where the old drawing leaves out every index that has
// entry 0's colour.
Painter::ColorTable PreviewColors(const SprDocument& sprite, bool transparent, int highlightIndex) {
  Painter::ColorTable colors = Painter::MakeColorTable(sprite.Header.Palette, /*transparent=*/false, highlightIndex);
  if (transparent) colors[0] = Painter::kKeptOut;
  return colors;
}

template <class Frame>
const Frame* FrameAt(const std::vector<Frame>& frames, int index) {
  return index >= 0 && static_cast<std::size_t>(index) < frames.size() ? &frames[static_cast<std::size_t>(index)]
                                                                        : nullptr;
}

// floor((canvas - scaled) / 2), also when the frame is larger than the canvas.
double CentredStart(int canvasSize, long long scaledSize) {
  const long long free = canvasSize - scaledSize;
  return static_cast<double>(free >= 0 ? free / 2 : -((1 - free) / 2));
}

LayerTransform PlaceLayer(const ActLayer& layer, const ClipPlacement& placement, bool transformed) {
  LayerTransform where{.CenterX = placement.OriginX + static_cast<double>(placement.Scale) * layer.PosX,
                       .CenterY = placement.OriginY + static_cast<double>(placement.Scale) * layer.PosY,
                       .Zoom = placement.Scale,
                       .Mirrored = layer.Direction != 0};
  if (transformed) {
    where.ScaleX = ScaleValue(layer.ScaleX);
    where.ScaleY = ScaleValue(layer.ScaleY);
    where.Rotation = layer.Rotation;
  }
  return where;
}

}  // namespace

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

// A frame is a layer at the canvas scale whose centre puts its top-left corner on
// the centred position; pixel centres then never fall on an image pixel's edge.
FramePlacement PlaceFrame(int canvasWidth, int canvasHeight, FrameSize size, int zoomStep) {
  const int scale = Scale(zoomStep);
  const long long width = static_cast<long long>(scale) * size.Width, height = static_cast<long long>(scale) * size.Height;
  return {static_cast<int>(CentredStart(canvasWidth, width)), static_cast<int>(CentredStart(canvasHeight, height)),
          static_cast<int>(width), static_cast<int>(height)};
}

void DrawFrame(Image& canvas, const SprDocument& sprite, int frameNumber, const ViewSettings& view) {
  Painter::ClearCanvas(canvas, view);
  const FramePlacement place = PlaceFrame(canvas.Width, canvas.Height, SizeOfFrame(sprite, frameNumber), view.ZoomStep);
  const LayerTransform where{.CenterX = place.X + place.Width / 2.0,
                             .CenterY = place.Y + place.Height / 2.0,
                             .Zoom = Scale(view.ZoomStep)};
  const int index = frameNumber - 1;
  Image image;
  if (const SprFrame* frame = FrameAt(sprite.Frames, index)) {
    FillLayerImage(image, *frame, PreviewColors(sprite, view.Transparent, view.HighlightIndex), {});
  } else if (const SprRgbaFrame* rgba = FrameAt(sprite.RgbaFrames, index - static_cast<int>(sprite.Frames.size()))) {
    FillLayerImage(image, *rgba, {});
  }
  DrawLayer(canvas, image, where);
}

void ComposeClip(Image& canvas, const SprDocument& sprite, const ActClip& clip, std::uint16_t versionWord,
                 const ClipPlacement& placement) {
  const Painter::ColorTable colors = PreviewColors(sprite, placement.Transparent, placement.HighlightIndex);
  const bool transformed = versionWord >= kTransformedLayersVersion;
  Image image;  // one buffer for every layer
  for (const ActLayer& layer : clip.Layers) {
    const Tint tint = transformed ? Tint{layer.Red, layer.Green, layer.Blue, layer.Alpha} : Tint{};
    if (layer.SpriteType == kRgbaSpriteType) {
      const SprRgbaFrame* frame = FrameAt(sprite.RgbaFrames, layer.SpriteIndex);
      if (frame == nullptr) continue;
      FillLayerImage(image, *frame, tint);
    } else {
      const SprFrame* frame = FrameAt(sprite.Frames, layer.SpriteIndex);
      if (frame == nullptr) continue;
      FillLayerImage(image, *frame, colors, tint);
    }
    DrawLayer(canvas, image, PlaceLayer(layer, placement, transformed));
  }
}

Status DrawClip(Image& canvas, const SprDocument& sprite, const ActData* act, int action, int clip,
                const ViewSettings& view) {
  const Result<const ActClip*> found = Painter::FindClip(act, action, clip);
  if (!found) return found.error();
  Painter::ClearCanvas(canvas, view);
  ComposeClip(canvas, sprite, **found, act->VersionWord,
              {.OriginX = canvas.Width / 2,
               .OriginY = canvas.Height / 2,
               .Scale = Scale(view.ZoomStep),
               .Transparent = view.Transparent,
               .HighlightIndex = view.HighlightIndex});
  return {};
}

}  // namespace tessaloom::Preview
