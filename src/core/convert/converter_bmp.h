#pragma once
// One sprite frame as an 8-bit Windows bitmap, and back. A frame's Pixels already
// are the pixel array of a bottom-up 8-bit bitmap and the palette is a bitmap colour
// table, so both directions copy the data unchanged.
//
// File written (little-endian, 54 bytes of headers):
//   0 "BM" | 2 file size | 6 reserved 0 | 10 pixel offset = 54 + 1024
//   14 header size 40 | 18 width | 22 height (positive, bottom-up) | 26 planes 1
//   28 bits 8 | 30 compression 0 | 34 image size | 38, 42 resolution 0 | 46 colours 256
//   50 important 0 | 54 colour table, 256 x (blue, green, red, 0) | 1078 pixel rows

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "core/common/result.h"
#include "core/sprite/spr_document.h"

namespace tessaloom::Converter_Bmp {

struct BmpImage {
  std::int16_t Width = 0;
  std::int16_t Height = 0;
  std::vector<std::uint8_t> Pixels;      // bottom-up rows of RowStride(Width) bytes, as a frame holds them
  std::vector<std::uint8_t> ColorTable;  // 1024 bytes (blue, green, red, x); entries past a shorter table black
};

// Reads an uncompressed 8-bit bitmap. Anything else is an Error titled "Format incompatible".
Result<BmpImage> ParseBmp(std::span<const std::uint8_t> bytes);
Result<BmpImage> ReadBmp(const std::filesystem::path& path);

// The bitmap file of `frame` with the palette as its colour table (always 256 entries).
std::vector<std::uint8_t> SerializeBmp(const SprHeader& header, const SprFrame& frame);
Status WriteBmp(const SprHeader& header, const SprFrame& frame, const std::filesystem::path& path);

}  // namespace tessaloom::Converter_Bmp
