#pragma once
// libpng behind a small seam, so that its headers and its setjmp-based error handling
// stay inside png_write.cpp and png_read.cpp.
//
// PNG file: 89 50 4E 47 0D 0A 1A 0A, then chunks (length, type, data, CRC): IHDR
// (width, height, bit depth 8, colour type 3 palette, 2 RGB or 6 RGBA), PLTE (RGB triples),
// tRNS (alpha of the first palette entries), IDAT (deflated filtered rows), IEND.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "core/common/result.h"

namespace tessaloom::Converter_Png {

inline constexpr std::array<std::uint8_t, 8> kPngSignature{0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};

struct PngRows {
  std::uint32_t Width = 0;
  std::uint32_t Height = 0;
  enum class Kind { Indexed, Rgb, Rgba };
  Kind Layout = Kind::Rgb;                // 8-bit palette indices, RGB triples or RGBA quads
  std::span<const std::uint8_t> Palette;  // indexed only: RGB triples
  std::span<const std::uint8_t> Alpha;    // indexed only: alpha of the first entries (tRNS)
  std::vector<const std::uint8_t*> Rows;  // top row first
};

// The PNG file of `rows`; an Error titled `title` with libpng's reason when it refuses.
Result<std::vector<std::uint8_t>> WritePngRows(const PngRows& rows, const char* title);

struct BgraPicture {
  std::uint32_t Width = 0;
  std::uint32_t Height = 0;
  std::vector<std::uint8_t> Bgra;  // 4 bytes per pixel, rows top-down, not premultiplied
};

// Any PNG, converted by libpng to 8-bit blue, green, red, alpha; sample values are
// taken as they are (no gamma correction). A picture of more
// than `maxPixels` pixels is refused before its pixels are allocated.
Result<BgraPicture> ReadPngBgra(std::span<const std::uint8_t> bytes, std::size_t maxPixels, const char* title);

}  // namespace tessaloom::Converter_Png
