// What an action export costs, in memory (no disk): a 20-clip action of 5 layers each,
// 100 x 100 figure frames mirrored, scaled, turned and tinted, composed at scale 1
// and 2, then coded as the looping GIF (nearest palette colours) or as RGBA PNGs.

#include <benchmark/benchmark.h>

#include <bit>

#include "core/operations/action_export.h"
#include "figures.h"

namespace tessaloom {
namespace {

constexpr int kSide = 100;
constexpr int kFrames = 5;
constexpr int kClips = 20;
constexpr int kLayers = 5;

ActData WalkingAction() {
  ActData act;
  act.VersionWord = 0x0205;
  act.ActionCount = 1;
  act.Actions.resize(1);
  for (int clip = 0; clip < kClips; ++clip) {
    ActClip& composed = act.Actions[0].Clips.emplace_back();
    for (int layer = 0; layer < kLayers; ++layer) {
      composed.Layers.push_back(ActLayer{.SpriteIndex = static_cast<std::int16_t>((clip + layer) % kFrames),
                                         .Direction = layer % 2,
                                         .Red = 255, .Green = static_cast<std::uint8_t>(200 + 10 * layer), .Blue = 220,
                                         .Alpha = static_cast<std::uint8_t>(layer == 0 ? 128 : 255),
                                         .PosX = static_cast<std::int16_t>(20 * layer - 40 + clip),
                                         .PosY = static_cast<std::int16_t>(10 * layer - 20),
                                         .ScaleX = std::bit_cast<std::int32_t>(0.75f + 0.25f * layer),
                                         .ScaleY = std::bit_cast<std::int32_t>(1.25f),
                                         .Rotation = 18 * clip + 30 * layer});
    }
    composed.LayerCount = kLayers;
  }
  act.Actions[0].ClipCount = kClips;
  act.Intervals = {4.0f};
  return act;
}

void BM_EncodeAction(benchmark::State& state) {
  const SprDocument sprite = bench::FigureSprite(kSide, kFrames);
  const ActData act = WalkingAction();
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
  const ActData act = WalkingAction();
  for (auto _ : state) benchmark::DoNotOptimize(ComposeAction(sprite, act, 0, 3));
  state.SetItemsProcessed(state.iterations() * kClips);
}
BENCHMARK(BM_ComposeAction)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessaloom
