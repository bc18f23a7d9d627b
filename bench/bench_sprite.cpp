// Speed of the sprite file format: the run-length code on a realistic frame, and
// loading a 1,000-frame sprite from memory and from a file.

#include <benchmark/benchmark.h>

#include "core/common/file_io.h"
#include "core/sprite/rle.h"
#include "core/sprite/spr_reader.h"
#include "core/sprite/spr_writer.h"
#include "figures.h"
#include "support/temp_dir.h"

namespace tessaloom {
namespace {

constexpr int kSide = 200;
constexpr int kSpriteFrames = 1000;

std::vector<std::uint8_t> SpriteFile(int frames) {
  return Tool_Spr::SerializeSprite(bench::FigureSprite(kSide, frames)).value();
}

void SetDecodedPixels(benchmark::State& state, std::int64_t framesPerIteration) {
  state.SetBytesProcessed(state.iterations() * framesPerIteration * kSide * kSide);
}

void BM_DecodeFrameRle(benchmark::State& state) {
  const std::vector<std::uint8_t> code = Tool_Spr::EncodeFrameRle(bench::FigureFrame(kSide, 0));
  for (auto _ : state) benchmark::DoNotOptimize(Tool_Spr::DecodeFrameRle(code, kSide));
  SetDecodedPixels(state, 1);
  state.counters["code_bytes"] = static_cast<double>(code.size());
}
BENCHMARK(BM_DecodeFrameRle);

void BM_EncodeFrameRle(benchmark::State& state) {
  const SprFrame frame = bench::FigureFrame(kSide, 0);
  for (auto _ : state) benchmark::DoNotOptimize(Tool_Spr::EncodeFrameRle(frame));
  SetDecodedPixels(state, 1);
}
BENCHMARK(BM_EncodeFrameRle);

void BM_ParseSprite1000Frames(benchmark::State& state) {
  const std::vector<std::uint8_t> file = SpriteFile(kSpriteFrames);
  for (auto _ : state) benchmark::DoNotOptimize(Tool_Spr::ParseSprite(file));
  SetDecodedPixels(state, kSpriteFrames);
  state.counters["file_bytes"] = static_cast<double>(file.size());
}
BENCHMARK(BM_ParseSprite1000Frames)->Unit(benchmark::kMillisecond);

void BM_LoadSprite1000Frames(benchmark::State& state) {
  TempDir dir;
  const auto path = dir / "figure.spr";
  if (!WriteFileAtomically(path, SpriteFile(kSpriteFrames), "Save error")) {
    state.SkipWithError("cannot write the sprite file");
    return;
  }
  for (auto _ : state) benchmark::DoNotOptimize(Tool_Spr::LoadSprite(path));
  SetDecodedPixels(state, kSpriteFrames);
}
BENCHMARK(BM_LoadSprite1000Frames)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessaloom
