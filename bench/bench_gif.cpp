// Speed of the GIF encoder beside giflib on the same frames: a still 256 x 256 frame
// and a 300-frame animation of 100 x 100 frames. giflib gets the same file structure
// (global table, loop extension, graphic control per frame); it codes with growing
// code widths, so its files are smaller; the counters show both sizes.

#include <benchmark/benchmark.h>
#include <gif_lib.h>

#include <array>
#include <random>

#include "core/convert/converter_gif.h"
#include "core/sprite/palette.h"

namespace tessaloom {
namespace {

constexpr int kStillSide = 256;
constexpr int kAnimationSide = 100;
constexpr int kAnimationFrames = 300;

// A figure on an empty background, as game sprites are: a shaded ellipse with some
// noise, surrounded by index 0. `phase` moves it a little from frame to frame.
SprFrame FigureFrame(int side, int phase) {
  std::mt19937 random(static_cast<unsigned>(phase));
  std::uniform_int_distribution<int> noise(0, 15);
  SprFrame frame{.Width = static_cast<std::int16_t>(side), .Height = static_cast<std::int16_t>(side)};
  const int stride = RowStride(side);
  frame.Pixels.assign(static_cast<std::size_t>(stride * side), 0);
  const double centreX = side / 2.0 + phase % 7 - 3, centreY = side / 2.0;
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      const double dx = (x - centreX) / (side * 0.3), dy = (y - centreY) / (side * 0.45);
      if (dx * dx + dy * dy > 1.0) continue;
      const int shade = (y / 6 + x / 11 + noise(random) / 12) % 200 + 16;
      frame.Pixels[static_cast<std::size_t>((side - 1 - y) * stride + x)] = static_cast<std::uint8_t>(shade);
    }
  }
  return frame;
}

std::vector<SprFrame> Animation() {
  std::vector<SprFrame> frames;
  for (int i = 0; i < kAnimationFrames; ++i) frames.push_back(FigureFrame(kAnimationSide, i));
  return frames;
}

SprHeader PaletteHeader() {
  SprHeader header;
  for (int k = 0; k < kPaletteEntries; ++k) {
    header.Palette.insert(header.Palette.end(), {static_cast<std::uint8_t>(k), static_cast<std::uint8_t>(k / 2),
                                                 static_cast<std::uint8_t>(255 - k), 0});
  }
  return header;
}

int AppendToVector(GifFileType* gif, const GifByteType* data, int size) {
  auto* out = static_cast<std::vector<std::uint8_t>*>(gif->UserData);
  out->insert(out->end(), data, data + size);
  return size;
}

void PutGiflibFrame(GifFileType* gif, const SprFrame& frame, bool animated) {
  const int stride = RowStride(frame.Width);
  const int width = animated ? stride : frame.Width;
  const std::array<GifByteType, 4> control{0x09, static_cast<GifByteType>(animated ? 100 : 0), 0, 0};
  EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, control.data());
  EGifPutImageDesc(gif, 0, 0, width, frame.Height, false, nullptr);
  std::vector<GifPixelType> line(static_cast<std::size_t>(width));  // giflib may mask the line in place
  for (int y = frame.Height - 1; y >= 0; --y) {
    std::copy_n(frame.Pixels.begin() + y * stride, width, line.begin());
    EGifPutLine(gif, line.data(), width);
  }
}

std::vector<std::uint8_t> EncodeWithGiflib(const SprHeader& header, const std::vector<SprFrame>& frames,
                                           bool animated) {
  std::vector<std::uint8_t> out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, AppendToVector, &error);
  const auto palette = Tool_Spr::FullPalette(header.Palette);
  std::array<GifColorType, kPaletteEntries> colors{};
  for (std::size_t k = 0; k < colors.size(); ++k) colors[k] = {palette[4 * k + 2], palette[4 * k + 1], palette[4 * k]};
  ColorMapObject* map = GifMakeMapObject(kPaletteEntries, colors.data());
  EGifSetGifVersion(gif, true);
  const int width = animated ? RowStride(frames[0].Width) : frames[0].Width;
  EGifPutScreenDesc(gif, width, frames[0].Height, 8, 0, map);
  if (animated) {
    const std::array<GifByteType, 3> loop{1, 0, 0};
    EGifPutExtensionLeader(gif, APPLICATION_EXT_FUNC_CODE);
    EGifPutExtensionBlock(gif, 11, "NETSCAPE2.0");
    EGifPutExtensionBlock(gif, 3, loop.data());
    EGifPutExtensionTrailer(gif);
  }
  for (const SprFrame& frame : frames) PutGiflibFrame(gif, frame, animated);
  EGifCloseFile(gif, &error);
  GifFreeMapObject(map);
  return out;
}

void Report(benchmark::State& state, std::size_t pixelsPerIteration, std::size_t fileSize) {
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(pixelsPerIteration));
  state.counters["file_bytes"] = static_cast<double>(fileSize);
}

void BM_StillGif256(benchmark::State& state) {
  const SprHeader header = PaletteHeader();
  const SprFrame frame = FigureFrame(kStillSide, 0);
  std::size_t size = 0;
  for (auto _ : state) {
    auto gif = Converter_Gif::EncodeGif(header, frame, true);
    size = gif.size();
    benchmark::DoNotOptimize(gif.data());
  }
  Report(state, kStillSide * kStillSide, size);
}
BENCHMARK(BM_StillGif256);

void BM_StillGif256Giflib(benchmark::State& state) {
  const SprHeader header = PaletteHeader();
  const std::vector<SprFrame> frames{FigureFrame(kStillSide, 0)};
  std::size_t size = 0;
  for (auto _ : state) {
    auto gif = EncodeWithGiflib(header, frames, false);
    size = gif.size();
    benchmark::DoNotOptimize(gif.data());
  }
  Report(state, kStillSide * kStillSide, size);
}
BENCHMARK(BM_StillGif256Giflib);

void BM_AnimatedGif300(benchmark::State& state) {
  const SprHeader header = PaletteHeader();
  const std::vector<SprFrame> frames = Animation();
  std::size_t size = 0;
  for (auto _ : state) {
    auto gif = Converter_Gif::EncodeAnimatedGif(header, frames, true);
    size = gif->size();
    benchmark::DoNotOptimize(gif->data());
  }
  Report(state, std::size_t{kAnimationFrames} * RowStride(kAnimationSide) * kAnimationSide, size);
}
BENCHMARK(BM_AnimatedGif300)->Unit(benchmark::kMillisecond);

void BM_AnimatedGif300Giflib(benchmark::State& state) {
  const SprHeader header = PaletteHeader();
  const std::vector<SprFrame> frames = Animation();
  std::size_t size = 0;
  for (auto _ : state) {
    auto gif = EncodeWithGiflib(header, frames, true);
    size = gif.size();
    benchmark::DoNotOptimize(gif.data());
  }
  Report(state, std::size_t{kAnimationFrames} * RowStride(kAnimationSide) * kAnimationSide, size);
}
BENCHMARK(BM_AnimatedGif300Giflib)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessaloom
