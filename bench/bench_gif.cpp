// Speed of the GIF encoder beside giflib on the same frames: a still 256 x 256 frame,
// a 300-frame animation of 100 x 100 frames, and a typical sprite of 50 frames of a
// figure walking. giflib gets the same file structure (global table, loop extension,
// graphic control per frame) and writes every frame whole, as a typical tool does; it
// codes with growing code widths, so its files are smaller than the plain ones. The
// compact coding grows its codes too, from a colour table of only the colours used,
// and writes only what changed from the frame before. The counters show every size.
// With index 0 transparent, a GIF frame turns a pixel back to background only by
// restoring its whole rectangle, which leaves nothing of it on the screen; so when
// limbs leave the figure's outline at every frame, as in the walk, every frame is
// drawn whole and the compact file gains little more than the smaller codes.

#include <benchmark/benchmark.h>
#include <gif_lib.h>

#include <array>

#include "core/convert/converter_gif.h"
#include "core/sprite/palette.h"
#include "figures.h"

namespace tessaloom {
namespace {

using bench::FigureFrame;

constexpr int kStillSide = 256;
constexpr int kAnimationSide = 100;
constexpr int kAnimationFrames = 300;
constexpr int kWalkFrames = 50;

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

void BM_StillGif256(benchmark::State& state, Converter_Gif::GifCoding coding) {
  const SprHeader header = bench::FigureSprite(kStillSide, 0).Header;
  const SprFrame frame = FigureFrame(kStillSide, 0);
  std::size_t size = 0;
  for (auto _ : state) {
    auto gif = Converter_Gif::EncodeGif(header, frame, true, coding);
    size = gif.size();
    benchmark::DoNotOptimize(gif.data());
  }
  Report(state, kStillSide * kStillSide, size);
}
BENCHMARK_CAPTURE(BM_StillGif256, Plain, Converter_Gif::GifCoding::Plain);
BENCHMARK_CAPTURE(BM_StillGif256, Compact, Converter_Gif::GifCoding::Compact);

void BM_StillGif256Giflib(benchmark::State& state) {
  const SprHeader header = bench::FigureSprite(kStillSide, 0).Header;
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

void BM_AnimatedGif300(benchmark::State& state, Converter_Gif::GifCoding coding) {
  const SprDocument sprite = bench::FigureSprite(kAnimationSide, kAnimationFrames);
  const SprHeader& header = sprite.Header;
  const std::vector<SprFrame>& frames = sprite.Frames;
  std::size_t size = 0;
  for (auto _ : state) {
    auto gif = Converter_Gif::EncodeAnimatedGif(header, frames, true, coding);
    size = gif->size();
    benchmark::DoNotOptimize(gif->data());
  }
  Report(state, std::size_t{kAnimationFrames} * RowStride(kAnimationSide) * kAnimationSide, size);
}
BENCHMARK_CAPTURE(BM_AnimatedGif300, Plain, Converter_Gif::GifCoding::Plain)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_AnimatedGif300, Compact, Converter_Gif::GifCoding::Compact)->Unit(benchmark::kMillisecond);

void BM_AnimatedGif300Giflib(benchmark::State& state) {
  const SprDocument sprite = bench::FigureSprite(kAnimationSide, kAnimationFrames);
  const SprHeader& header = sprite.Header;
  const std::vector<SprFrame>& frames = sprite.Frames;
  std::size_t size = 0;
  for (auto _ : state) {
    auto gif = EncodeWithGiflib(header, frames, true);
    size = gif.size();
    benchmark::DoNotOptimize(gif.data());
  }
  Report(state, std::size_t{kAnimationFrames} * RowStride(kAnimationSide) * kAnimationSide, size);
}
BENCHMARK(BM_AnimatedGif300Giflib)->Unit(benchmark::kMillisecond);

void BM_WalkingGif50(benchmark::State& state, Converter_Gif::GifCoding coding) {
  const SprDocument sprite = bench::WalkingSprite(kAnimationSide, kWalkFrames);
  std::size_t size = 0;
  for (auto _ : state) {
    auto gif = Converter_Gif::EncodeAnimatedGif(sprite.Header, sprite.Frames, true, coding);
    size = gif->size();
    benchmark::DoNotOptimize(gif->data());
  }
  Report(state, std::size_t{kWalkFrames} * kAnimationSide * kAnimationSide, size);
}
BENCHMARK_CAPTURE(BM_WalkingGif50, Plain, Converter_Gif::GifCoding::Plain)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_WalkingGif50, Compact, Converter_Gif::GifCoding::Compact)->Unit(benchmark::kMillisecond);

void BM_WalkingGif50Giflib(benchmark::State& state) {
  const SprDocument sprite = bench::WalkingSprite(kAnimationSide, kWalkFrames);
  std::size_t size = 0;
  for (auto _ : state) {
    auto gif = EncodeWithGiflib(sprite.Header, sprite.Frames, true);
    size = gif.size();
    benchmark::DoNotOptimize(gif.data());
  }
  Report(state, std::size_t{kWalkFrames} * kAnimationSide * kAnimationSide, size);
}
BENCHMARK(BM_WalkingGif50Giflib)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace tessaloom
