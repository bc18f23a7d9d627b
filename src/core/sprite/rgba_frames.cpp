#include "core/sprite/rgba_frames.h"

#include "core/common/byte_reader.h"

namespace tessaloom::Tool_Spr {
namespace {

constexpr std::size_t kRecordMinimum = 4;  // width, height
constexpr std::size_t kBytesPerPixel = 4;

// The stored pixels (alpha, blue, green, red per pixel, rows bottom-up) as 0xAARRGGBB
// rows top-down.
std::vector<std::uint32_t> TopDownArgb(std::span<const std::uint8_t> stored, std::size_t width, std::size_t height) {
  std::vector<std::uint32_t> pixels(width * height);
  for (std::size_t row = 0; row < height; ++row) {
    const std::uint8_t* source = stored.data() + (height - 1 - row) * width * kBytesPerPixel;
    for (std::size_t x = 0; x < width; ++x, source += kBytesPerPixel) {
      pixels[row * width + x] = std::uint32_t{source[0]} << 24 | std::uint32_t{source[3]} << 16 |
                                std::uint32_t{source[2]} << 8 | source[1];
    }
  }
  return pixels;
}

}  // namespace

std::vector<SprRgbaFrame> DecodeRgbaFrames(std::array<std::uint8_t, 2> countBytes,
                                           std::span<const std::uint8_t> stored) {
  const auto count = static_cast<std::int16_t>(countBytes[0] | countBytes[1] << 8);
  // Checked before anything is reserved: a few bytes may declare 32767 frames.
  if (count < 0 || static_cast<std::size_t>(count) * kRecordMinimum > stored.size()) return {};
  std::vector<SprRgbaFrame> frames;
  ByteReader reader(stored);
  for (int i = 0; i < count; ++i) {
    SprRgbaFrame frame{.Width = reader.I16(), .Height = reader.I16(), .Pixels = {}};
    if (!reader.Ok() || frame.Width < 0 || frame.Height < 0) return {};
    const auto width = static_cast<std::size_t>(frame.Width);
    const auto height = static_cast<std::size_t>(frame.Height);
    // The pixels are allocated only once their bytes are known to be there.
    const auto pixels = reader.Bytes(width * height * kBytesPerPixel);
    if (!reader.Ok()) return {};
    frame.Pixels = TopDownArgb(pixels, width, height);
    frames.push_back(std::move(frame));
  }
  return frames;
}

}  // namespace tessaloom::Tool_Spr
