#include "core/render/layer_image.h"

#include <algorithm>
#include <cstddef>

namespace tessaloom::Preview {
namespace {

Argb Channel(Argb pixel, int shift, std::uint8_t factor) {
  const Argb value = (pixel >> shift) & 0xFFu;
  return ((value * factor + 127) / 255) << shift;
}

bool IsIdentity(const Tint& tint) {
  return tint.Red == 255 && tint.Green == 255 && tint.Blue == 255 && tint.Alpha == 255;
}

// Sizes `image` for the frame, reusing its memory; false, leaving it empty, for a
// frame that draws nothing.
template <class Stored>
bool Reset(Image& image, int width, int height, const std::vector<Stored>& pixels) {
  const bool drawable = width > 0 && height > 0 && !pixels.empty();
  image.Width = drawable ? width : 0;
  image.Height = drawable ? height : 0;
  image.Pixels.resize(static_cast<std::size_t>(image.Width) * static_cast<std::size_t>(image.Height));
  return drawable;
}

}  // namespace

Argb Tinted(Argb pixel, const Tint& tint) {
  return Channel(pixel, 24, tint.Alpha) | Channel(pixel, 16, tint.Red) | Channel(pixel, 8, tint.Green) |
         Channel(pixel, 0, tint.Blue);
}

void FillLayerImage(Image& image, const SprFrame& frame, const Painter::ColorTable& colors, const Tint& tint) {
  Painter::ColorTable tinted = colors;
  if (!IsIdentity(tint)) std::ranges::transform(tinted, tinted.begin(), [&](Argb color) { return Tinted(color, tint); });
  if (!Reset(image, frame.Width, frame.Height, frame.Pixels)) return;
  const Argb last = tinted[frame.Pixels.back()];  // for what is cut off the end of the pixels
  const auto width = static_cast<std::size_t>(frame.Width), stride = static_cast<std::size_t>(RowStride(frame.Width));
  for (std::size_t y = 0; y < static_cast<std::size_t>(image.Height); ++y) {
    const std::size_t rowStart = (static_cast<std::size_t>(image.Height) - 1 - y) * stride;  // stored bottom-up
    const std::size_t stored = rowStart < frame.Pixels.size() ? std::min(width, frame.Pixels.size() - rowStart) : 0;
    const auto begin = frame.Pixels.begin() + static_cast<std::ptrdiff_t>(rowStart);
    const auto row = image.Pixels.begin() + static_cast<std::ptrdiff_t>(y * width);
    const auto end = std::transform(begin, begin + static_cast<std::ptrdiff_t>(stored), row,
                                    [&](std::uint8_t index) { return tinted[index]; });
    std::fill(end, row + static_cast<std::ptrdiff_t>(width), last);
  }
}

void FillLayerImage(Image& image, const SprRgbaFrame& frame, const Tint& tint) {
  const auto tinted = [&](Argb pixel) { return IsIdentity(tint) ? pixel : Tinted(pixel, tint); };
  if (!Reset(image, frame.Width, frame.Height, frame.Pixels)) return;
  const std::size_t stored = std::min(image.Pixels.size(), frame.Pixels.size());
  const auto end = std::transform(frame.Pixels.begin(), frame.Pixels.begin() + static_cast<std::ptrdiff_t>(stored),
                                  image.Pixels.begin(), tinted);
  std::fill(end, image.Pixels.end(), tinted(frame.Pixels.back()));
}

}  // namespace tessaloom::Preview
