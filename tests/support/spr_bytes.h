#pragma once
// Sprite file images assembled part by part from the format's rules, for tests, fuzz
// seeds, the demo generator and benchmarks: any header (magic, version bytes, count,
// reserved bytes), coded or raw frame records, trailing data, a palette in file order,
// or arbitrary bytes where a test needs a malformed file.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "core/common/byte_writer.h"

namespace tessaloom {

struct SprHeaderBytes {
  std::string_view Magic = "SP";
  std::uint8_t Minor = 1, Major = 2;  // minor non-zero: coded frames; 0: raw frames
  std::uint16_t FrameCount = 0;
  std::array<std::uint8_t, 2> Reserved{};
};

class SprBytes {
 public:
  SprBytes& Header(const SprHeaderBytes& header);
  // Width, height, the code's length and the code.
  SprBytes& CodedFrame(std::int16_t width, std::int16_t height, std::span<const std::uint8_t> code);
  // Width, height and the pixels as given (rows top-down, no padding).
  SprBytes& RawFrame(std::int16_t width, std::int16_t height, std::span<const std::uint8_t> topDownPixels);
  // A 32-bit colour frame: width, height, then each pixel (given 0xAARRGGBB, rows
  // top-down) stored as alpha, blue, green, red, rows bottom-up.
  SprBytes& RgbaFrame(std::int16_t width, std::int16_t height, std::span<const std::uint32_t> topDownArgb);
  SprBytes& I16(std::int16_t value);
  SprBytes& Bytes(std::span<const std::uint8_t> bytes);
  // The 1024 palette bytes of TestPaletteFileOrder().
  SprBytes& TestPalette();

  std::vector<std::uint8_t> Build() const { return m_writer.View(); }

 private:
  ByteWriter m_writer;
};

// 256 distinct entries in file order (red, green, blue, x) with a non-zero fourth byte,
// so that tests see both the channel swap and the dropped fourth byte.
std::vector<std::uint8_t> TestPaletteFileOrder();

}  // namespace tessaloom
