#pragma once
// Palette entries in memory and in files.
//
// In memory an entry is blue, green, red, 0; in sprite and palette files it is red,
// green, blue, x. A palette shorter than 256 entries reads as black past its end.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "core/common/color.h"
#include "core/sprite/spr_document.h"

namespace tessaloom {

namespace Tool_Spr {

// Exchanges the first and third byte of every 4-byte entry and sets the fourth to 0,
// converting between file order (r, g, b, x) and memory order (b, g, r, 0). A trailing
// group shorter than 4 bytes keeps the bytes it has, followed by one 0.
std::vector<std::uint8_t> SwapPaletteOrder(std::span<const std::uint8_t> palette);

// The display colour of palette index `index`; black when the palette is too short.
Color PaletteColor(std::span<const std::uint8_t> palette, std::uint8_t index);

// Writes entry `index` as `color` in memory order (blue, green, red), leaving its
// fourth byte alone. False, with nothing changed, when the palette lacks the entry.
bool SetPaletteColor(std::vector<std::uint8_t>& palette, int index, Color color);

// Exactly 256 entries in memory order: the palette's first 1024 bytes, missing
// entries black. What the writers put in a file whatever length the palette has.
std::array<std::uint8_t, kPaletteBytes> FullPalette(std::span<const std::uint8_t> palette);

}  // namespace Tool_Spr
}  // namespace tessaloom
