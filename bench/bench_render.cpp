// Full redraws of the canvas (clear + draw) at the size of a large window: one
// zoomed frame, with and without the key colour left out, and a 10-layer clip.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

#include "core/render/canvas_drawing.h"
#include "support/frame_builder.h"

namespace tessaloom {
namespace {

constexpr int kCanvasWidth = 1920;
constexpr int kCanvasHeight = 1080;
constexpr int kFrameSize = 200;

// A figure-like frame: a key-coloured border around random colours, with key-coloured
// speckles inside, so transparent rows mix kept and left-out pixels.
SprFrame FigureFrame(std::uint32_t seed) {
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> index(0, 255);
  std::vector<std::vector<std::uint8_t>> rows(kFrameSize, std::vector<std::uint8_t>(kFrameSize, 0));
  for (int y = 20; y < kFrameSize - 20; ++y) {
    for (int x = 30; x < kFrameSize - 30; ++x)
      rows[y][x] = static_cast<std::uint8_t>(index(random));
  }
  return FrameFromRows(rows);
}

SprDocument BenchSprite(int frameCount) {
  SprDocument sprite;
  for (int n = 0; n < kPaletteEntries; ++n) {
    const auto level = static_cast<std::uint8_t>(n);
    sprite.Header.Palette.insert(sprite.Header.Palette.end(),
                                 {level, static_cast<std::uint8_t>(255 - level), level, 0});
  }
  for (int n = 0; n < frameCount; ++n)
    sprite.Frames.push_back(FigureFrame(static_cast<std::uint32_t>(n + 1)));
  sprite.Header.FrameCount = static_cast<std::int16_t>(frameCount);
  return sprite;
}

ViewSettings FullWindowView(bool transparent) {
  ViewSettings view;
  view.ZoomStep = kMaxZoomStep;
  view.Transparent = transparent;
  view.ClientWidth = kCanvasWidth;
  view.ClientHeight = kCanvasHeight;
  return view;
}

void BM_RedrawFrameAtStep11(benchmark::State& state) {
  const SprDocument sprite = BenchSprite(1);
  const ViewSettings view = FullWindowView(state.range(0) != 0);
  Image canvas(kCanvasWidth, kCanvasHeight);
  for (auto _ : state) {
    DrawSpriteFrame(canvas, sprite, 1, view);
    benchmark::DoNotOptimize(canvas.Pixels.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RedrawFrameAtStep11)
    ->ArgName("transparent")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond);

void BM_RedrawTenLayerClipAtStep11(benchmark::State& state) {
  constexpr int kLayers = 10;
  const SprDocument sprite = BenchSprite(kLayers);
  ActData act;
  ActClip& clip = act.Actions.emplace_back().Clips.emplace_back();
  for (int n = 0; n < kLayers; ++n) {
    ActLayer& layer = clip.Layers.emplace_back();
    layer.SpriteIndex = static_cast<std::int16_t>(n);
    layer.PosX = static_cast<std::int16_t>(n * 40 - 180);  // spread so the layers overlap in part
    layer.PosY = static_cast<std::int16_t>(n % 3 * 30 - 30);
  }
  clip.LayerCount = kLayers;
  act.Actions.front().ClipCount = 1;
  act.ActionCount = 1;
  const ViewSettings view = FullWindowView(state.range(0) != 0);
  Image canvas(kCanvasWidth, kCanvasHeight);
  for (auto _ : state) {
    benchmark::DoNotOptimize(Painter::DrawClip(canvas, sprite, &act, 0, 0, view).has_value());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RedrawTenLayerClipAtStep11)
    ->ArgName("transparent")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tessaloom
