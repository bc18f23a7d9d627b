// Speed of the sprite file format: the run-length code on a realistic frame, and
// loading a 1,000-frame sprite from memory and from a file.

#include <benchmark/benchmark.h>

#include <random>

#include "core/common/file_io.h"
#include "core/sprite/rle.h"
#include "core/sprite/spr_reader.h"
#include "core/sprite/spr_writer.h"
#include "support/temp_dir.h"

namespace tessaloom {
namespace {

constexpr int kSide = 200;
constexpr int kSpriteFrames = 1000;

// A figure on an empty background as a game sprite has it: an upright ellipse of
// shaded colours with a few holes, surrounded by index 0. `phase` moves it a little,
// as the frames of an animation do.
SprFrame FigureFrame(int phase) {
  std::mt19937 random(static_cast<unsigned>(phase));
  std::uniform_int_distribution<int> noise(0, 15);
  SprFrame frame{.Width = kSide, .Height = kSide};
  const int stride = RowStride(kSide);
  frame.Pixels.assign(static_cast<std::size_t>(stride * kSide), 0);
  const double centreX = kSide / 2.0 + phase % 7 - 3, centreY = kSide / 2.0;
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      const double dx = (x - centreX) / 60.0, dy = (y - centreY) / 90.0;
      const double distance = dx * dx + dy * dy;
      const bool hole = distance > 0.3 && distance < 0.35 && x % 5 == 0;
      if (distance > 1.0 || hole) continue;
      const int shade = (y / 6 + x / 11 + noise(random) / 12) % 200 + 16;
      frame.Pixels[static_cast<std::size_t>((kSide - 1 - y) * stride + x)] = static_cast<std::uint8_t>(shade);
    }
  }
  return frame;
}

std::vector<std::uint8_t> SpriteFile(int frames) {
  SprDocument document;
  document.Header.Palette.assign(kPaletteBytes, 0x40);
  for (int i = 0; i < frames; ++i) document.Frames.push_back(FigureFrame(i));
  document.Header.FrameCount = static_cast<std::int16_t>(frames);
  return Tool_Spr::SerializeSprite(document).value();
}

void SetDecodedPixels(benchmark::State& state, std::int64_t framesPerIteration) {
  state.SetBytesProcessed(state.iterations() * framesPerIteration * kSide * kSide);
}

void BM_DecodeFrameRle(benchmark::State& state) {
  const std::vector<std::uint8_t> code = Tool_Spr::EncodeFrameRle(FigureFrame(0));
  for (auto _ : state) benchmark::DoNotOptimize(Tool_Spr::DecodeFrameRle(code, kSide));
  SetDecodedPixels(state, 1);
  state.counters["code_bytes"] = static_cast<double>(code.size());
}
BENCHMARK(BM_DecodeFrameRle);

void BM_EncodeFrameRle(benchmark::State& state) {
  const SprFrame frame = FigureFrame(0);
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
