#include "core/sprite/palette.h"

#include <algorithm>

namespace tessaloom::Tool_Spr {

std::vector<std::uint8_t> SwapPaletteOrder(std::span<const std::uint8_t> palette) {
  std::vector<std::uint8_t> swapped;
  swapped.reserve(palette.size() + 1);
  std::size_t i = 0;
  for (; i + 4 <= palette.size(); i += 4) {
    swapped.insert(swapped.end(), {palette[i + 2], palette[i + 1], palette[i], 0});
  }
  if (i < palette.size()) {
    swapped.insert(swapped.end(), palette.begin() + static_cast<std::ptrdiff_t>(i), palette.end());
    swapped.push_back(0);
  }
  return swapped;
}

Color PaletteColor(std::span<const std::uint8_t> palette, std::uint8_t index) {
  const std::size_t at = std::size_t{index} * 4;
  if (at + 3 > palette.size()) return MakeColor(0, 0, 0);
  return MakeColor(palette[at + 2], palette[at + 1], palette[at]);
}

bool SetPaletteColor(std::vector<std::uint8_t>& palette, int index, Color color) {
  if (index < 0 || index >= kPaletteEntries) return false;
  const std::size_t at = std::size_t{4} * static_cast<std::size_t>(index);
  if (at + 3 > palette.size()) return false;
  palette[at] = BlueOf(color);
  palette[at + 1] = GreenOf(color);
  palette[at + 2] = RedOf(color);
  return true;
}

std::array<std::uint8_t, kPaletteBytes> FullPalette(std::span<const std::uint8_t> palette) {
  std::array<std::uint8_t, kPaletteBytes> full{};
  std::copy_n(palette.begin(), std::min<std::size_t>(palette.size(), kPaletteBytes), full.begin());
  return full;
}

}  // namespace tessaloom::Tool_Spr
