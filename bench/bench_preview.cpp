// Full redraws of a large window in Preview Mode: a 10-layer clip whose layers are
// turned, scaled and tinted, at zoom steps 3 to 5 (scales 1 to 3), and one frame at
// the largest zoom, indexed and 32-bit.

#include <benchmark/benchmark.h>

#include <cstddef>
#include <cstdint>

#include "core/render/preview_drawing.h"
#include "figures.h"

namespace tessaloom {
namespace {

constexpr int kCanvasWidth = 1920;
constexpr int kCanvasHeight = 1080;
constexpr int kSide = 200;
constexpr int kLayers = 10;

void BM_PreviewRedrawTenLayerClip(benchmark::State& state) {
  const SprDocument sprite = bench::FigureSprite(kSide, kLayers);
  const ActData act = bench::FigureAction(1, kLayers, kLayers);
  const ViewSettings view{.ZoomStep = static_cast<int>(state.range(0))};
  Image canvas(kCanvasWidth, kCanvasHeight);
  for (auto _ : state) {
    benchmark::DoNotOptimize(Preview::DrawClip(canvas, sprite, &act, 0, 0, view).has_value());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_PreviewRedrawTenLayerClip)->ArgName("step")->DenseRange(3, 5)->Unit(benchmark::kMicrosecond);

// A 32-bit frame made of the figure's palette colours, its background transparent.
SprRgbaFrame RgbaFigure(const SprDocument& sprite) {
  const SprFrame& frame = sprite.Frames.front();
  SprRgbaFrame rgba{.Width = frame.Width, .Height = frame.Height};
  for (int y = 0; y < frame.Height; ++y) {
    for (int x = 0; x < frame.Width; ++x) {
      const std::uint8_t index = frame.Pixels[static_cast<std::size_t>((frame.Height - 1 - y) * RowStride(frame.Width) + x)];
      rgba.Pixels.push_back(index == 0 ? 0u : 0xFF000000u | index * 0x010101u);
    }
  }
  return rgba;
}

void BM_PreviewRedrawFrameAtStep11(benchmark::State& state) {
  SprDocument sprite = bench::FigureSprite(kSide, 1);
  sprite.RgbaFrames.push_back(RgbaFigure(sprite));
  const ViewSettings view{.ZoomStep = kMaxZoomStep};
  Image canvas(kCanvasWidth, kCanvasHeight);
  for (auto _ : state) {
    Preview::DrawFrame(canvas, sprite, static_cast<int>(state.range(0)), view);
    benchmark::DoNotOptimize(canvas.Pixels.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_PreviewRedrawFrameAtStep11)->ArgName("frame")->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tessaloom
