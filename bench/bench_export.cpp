// What exporting every frame costs, and what its promise costs: ExportAllFrames stages
// every file and renames them into place only when all were written, against writing
// each file on its own (each atomic by itself, as exports were written before). A
// 300-frame sprite of 100 x 100 frames as numbered PNGs and as still GIFs.

#include <benchmark/benchmark.h>

#include "core/convert/converter_png.h"
#include "core/operations/sprite_operations.h"
#include "figures.h"
#include "support/temp_dir.h"

namespace tessaloom {
namespace {

constexpr int kSide = 100;
constexpr int kFrames = 300;

void SetFrames(benchmark::State& state) {
  state.SetItemsProcessed(state.iterations() * kFrames);
}

void BM_ExportAllFramesAllOrNothing(benchmark::State& state) {
  const SprDocument sprite = bench::FigureSprite(kSide, kFrames);
  const auto format = static_cast<ExportFormat>(state.range(0));
  TempDir dir;
  for (auto _ : state) {
    if (!ExportAllFrames(sprite, format, dir / "frame.out")) state.SkipWithError("export failed");
  }
  SetFrames(state);
}
BENCHMARK(BM_ExportAllFramesAllOrNothing)
    ->Arg(static_cast<int>(ExportFormat::Png))
    ->Arg(static_cast<int>(ExportFormat::Gif))
    ->Unit(benchmark::kMillisecond);

void BM_ExportEachPngOnItsOwn(benchmark::State& state) {
  const SprDocument sprite = bench::FigureSprite(kSide, kFrames);
  TempDir dir;
  for (auto _ : state) {
    for (int i = 0; i < kFrames; ++i) {
      const auto path = NumberedFileName(dir / "frame.png", i + 1, ".png");
      if (!Converter_Png::WriteIndexedPng(sprite.Header, sprite.Frames[static_cast<std::size_t>(i)], path)) {
        state.SkipWithError("write failed");
      }
    }
  }
  SetFrames(state);
}
BENCHMARK(BM_ExportEachPngOnItsOwn)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessaloom
