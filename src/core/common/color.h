#pragma once
// The colour values passed between the windows, the drawing code and the formats.

#include <cstdint>

namespace tessaloom {

// A colour value: red in bits 0 to 7, green in bits 8 to 15, blue in bits 16 to 23.
using Color = std::uint32_t;

constexpr Color MakeColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return Color{red} | (Color{green} << 8) | (Color{blue} << 16);
}
constexpr std::uint8_t RedOf(Color color) { return static_cast<std::uint8_t>(color); }
constexpr std::uint8_t GreenOf(Color color) { return static_cast<std::uint8_t>(color >> 8); }
constexpr std::uint8_t BlueOf(Color color) { return static_cast<std::uint8_t>(color >> 16); }

}  // namespace tessaloom
