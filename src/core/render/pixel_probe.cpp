#include "core/render/pixel_probe.h"

#include <algorithm>
#include <cstddef>

#include "core/sprite/palette.h"

namespace tessaloom {
namespace {

// The frame column or row under canvas offset `offset` of a span of `scaled` pixels.
std::optional<int> Unscaled(long long offset, int scaled, int size) {
  if (offset < 0 || offset >= scaled || size <= 0) return std::nullopt;
  return static_cast<int>(offset * size / scaled);
}

}  // namespace

std::optional<ProbedPixel> ProbeFrame(const SprDocument& sprite, int frameNumber, const FramePlacement& placement,
                                      int x, int y) {
  const std::size_t indexed = sprite.Frames.size();
  if (frameNumber < 1 || static_cast<std::size_t>(frameNumber) > indexed + sprite.RgbaFrames.size()) return {};
  const auto number = static_cast<std::size_t>(frameNumber - 1);
  const int width = number < indexed ? sprite.Frames[number].Width : sprite.RgbaFrames[number - indexed].Width;
  const int height = number < indexed ? sprite.Frames[number].Height : sprite.RgbaFrames[number - indexed].Height;
  const auto column = Unscaled(static_cast<long long>(x) - placement.X, placement.Width, width);
  const auto row = Unscaled(static_cast<long long>(y) - placement.Y, placement.Height, height);
  if (!column || !row) return {};

  if (number >= indexed) {
    const SprRgbaFrame& frame = sprite.RgbaFrames[number - indexed];
    const std::size_t at = static_cast<std::size_t>(*row) * static_cast<std::size_t>(width) + static_cast<std::size_t>(*column);
    if (at >= frame.Pixels.size()) return {};
    return ProbedPixel{*column, *row, -1, frame.Pixels[at]};
  }
  const SprFrame& frame = sprite.Frames[number];
  if (frame.Pixels.empty()) return {};
  const std::size_t at = static_cast<std::size_t>(height - 1 - *row) * RowStride(width) + static_cast<std::size_t>(*column);
  const std::uint8_t index = frame.Pixels[std::min(at, frame.Pixels.size() - 1)];
  return ProbedPixel{*column, *row, index, ToArgb(Tool_Spr::PaletteColor(sprite.Header.Palette, index))};
}

}  // namespace tessaloom
