// What an action export costs, in memory (no disk): a 20-clip action of 5 layers each,
// 100 x 100 figure frames mirrored, scaled, turned and tinted, composed at scale 1
// and 2, then coded as the looping GIF (nearest palette colours) or as RGBA PNGs.

#include <benchmark/benchmark.h>

#include "core/operations/action_export.h"
#include "figures.h"

namespace tessaloom {
namespace {

constexpr int kSide = 100;
constexpr int kFrames = 5;
constexpr int kClips = 20;
constexpr int kLayers = 5;

void BM_EncodeAction(benchmark::State& state) {
  const SprDocument sprite = bench::FigureSprite(kSide, kFrames);
  const ActData act = bench::FigureAction(kClips, kLayers, kFrames);
  const auto format = static_cast<ActionExportFormat>(state.range(0));
  const auto zoomStep = static_cast<int>(state.range(1));
  for (auto _ : state) {
    auto files = EncodeAction(sprite, act, 0, zoomStep, format);
    if (!files) state.SkipWithError("export failed");
    benchmark::DoNotOptimize(files);
  }
  state.SetItemsProcessed(state.iterations() * kClips);
}
BENCHMARK(BM_EncodeAction)
    ->Args({static_cast<int>(ActionExportFormat::AnimatedGif), 3})
    ->Args({static_cast<int>(ActionExportFormat::AnimatedGif), 4})
    ->Args({static_cast<int>(ActionExportFormat::PngFrames), 3})
    ->Unit(benchmark::kMillisecond);

void BM_ComposeAction(benchmark::State& state) {
  const SprDocument sprite = bench::FigureSprite(kSide, kFrames);
  const ActData act = bench::FigureAction(kClips, kLayers, kFrames);
  for (auto _ : state) benchmark::DoNotOptimize(ComposeAction(sprite, act, 0, 3));
  state.SetItemsProcessed(state.iterations() * kClips);
}
BENCHMARK(BM_ComposeAction)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessaloom
