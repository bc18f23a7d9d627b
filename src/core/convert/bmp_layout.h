#pragma once
// Where the parts of a Windows bitmap file lie, checked against the file's size.
// Shared by the frame reader (8 bits) and the picture loader (8, 24 and 32 bits).
//
//   0   "BM"                          14  information header size (40 or more)
//   2   file size (not trusted)       18  width, int32
//   6   reserved                      22  height, int32 (negative: rows top-down)
//   10  offset of the pixel data      26  planes    28  bits per pixel (uint16)
//                                     30  compression (0 = none)    34  image size
//                                     38, 42  resolutions           46  colours used (0 = all)
//                                     50  important colours
//   14 + information header size: colour table, 4 bytes per entry (blue, green, red, x)
//   pixel-data offset: rows of ((width * bits + 31) / 32) * 4 bytes, bottom row first

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "core/common/result.h"

namespace tessaloom::Converter_Bmp {

inline constexpr char kFormatTitle[] = "Format incompatible";
inline constexpr char kNot8BitText[] = "No 8 bits bitmap format";

// The header fields as stored; nothing is checked beyond their presence.
struct BmpHeaders {
  std::uint32_t InfoSize = 0;
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  std::uint16_t BitsPerPixel = 0;
  std::uint32_t Compression = 0;
  std::uint32_t ColorsUsed = 0;
  std::uint32_t PixelOffset = 0;
};

// A bitmap whose colour table (for 8 bits) and every pixel row lie inside the file.
struct BmpLayout {
  std::int16_t Width = 0;
  std::int16_t Height = 0;  // always >= 0; TopDown says in which order the rows are stored
  bool TopDown = false;
  int BitsPerPixel = 0;
  std::size_t ColorTableOffset = 0;
  std::size_t ColorCount = 0;  // entries the file holds before its pixels (8 bits only)
  std::size_t PixelOffset = 0;
  std::size_t Stride = 0;  // bytes per stored row
};

// Requires "BM" and a complete information header of at least 40 bytes.
Result<BmpHeaders> ReadBmpHeaders(std::span<const std::uint8_t> bytes);

// Checks that the data of a bitmap of any depth can be read: uncompressed, a size that
// fits a frame, the colour table (for 8 bits) and the rows inside the file.
Result<BmpLayout> LocateBmpData(const BmpHeaders& headers, std::span<const std::uint8_t> bytes);

// Image row `y`, counted from the top, `layout.Stride` bytes.
std::span<const std::uint8_t> BmpImageRow(const BmpLayout& layout, std::span<const std::uint8_t> bytes, int y);

// The error for a bitmap that is not an 8-bit one, `detail` saying why.
Error Not8BitError(std::string detail, std::size_t offset);

}  // namespace tessaloom::Converter_Bmp
