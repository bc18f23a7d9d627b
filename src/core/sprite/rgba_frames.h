#pragma once
// The 32-bit colour frames of sprite files from version 2.0 on. The two header bytes
// at offset 6 count them, and they follow the last indexed frame:
//
//   width int16, height int16, width x height pixels of 4 bytes each: alpha, blue,
//   green, red; rows bottom-up, no padding; straight (not premultiplied) alpha.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "core/sprite/spr_document.h"

namespace tessaloom::Tool_Spr {

// The first version whose files carry 32-bit colour frames, as major * 256 + minor.
inline constexpr int kRgbaFramesVersion = 0x0200;

// Every frame `countBytes` (little-endian, signed) counts, read from the start of
// `stored`; none when the count is negative or a counted frame does not fit.
std::vector<SprRgbaFrame> DecodeRgbaFrames(std::array<std::uint8_t, 2> countBytes,
                                           std::span<const std::uint8_t> stored);

}  // namespace tessaloom::Tool_Spr
