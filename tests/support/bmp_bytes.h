#pragma once
// Windows bitmap file images built from explicit header fields, for tests and fuzz
// seeds. Every field a reader may check can be set to a wrong value on purpose.

#include <cstdint>
#include <optional>
#include <vector>

namespace tessaloom {

struct BmpFields {
  std::int32_t Width = 0;
  std::int32_t Height = 0;  // written negated when TopDown
  bool TopDown = false;
  std::uint16_t BitsPerPixel = 8;
  std::uint32_t Compression = 0;
  std::uint32_t InfoHeaderSize = 40;          // bytes beyond 40 are written as zeros
  std::optional<std::uint32_t> ColorsUsed;    // default: the entries in Table
  std::optional<std::uint32_t> PixelOffset;   // default: right after the table; a gap is filled with 0xEE
  std::vector<std::uint8_t> Table;            // colour table bytes (blue, green, red, x per entry)
  std::vector<std::vector<std::uint8_t>> Rows;  // image rows, top first, without padding
};

// The file image: rows padded to a multiple of 4 bytes with zeros and stored
// bottom-up (top-down when TopDown).
std::vector<std::uint8_t> BuildBmp(const BmpFields& fields);

// A table of `entries` entries where entry k is blue k, green 255 - k, red k / 2, x 0.
std::vector<std::uint8_t> GradientTable(int entries);

}  // namespace tessaloom
