#include "support/spr_bytes.h"

#include "core/sprite/spr_document.h"

namespace tessaloom {

SprBytes& SprBytes::Header(const SprHeaderBytes& header) {
  m_writer.Text(header.Magic);
  m_writer.U8(header.Minor);
  m_writer.U8(header.Major);
  m_writer.U16(header.FrameCount);
  m_writer.Bytes(header.Reserved);
  return *this;
}

SprBytes& SprBytes::CodedFrame(std::int16_t width, std::int16_t height, std::span<const std::uint8_t> code) {
  return I16(width).I16(height).I16(static_cast<std::int16_t>(code.size())).Bytes(code);
}

SprBytes& SprBytes::RawFrame(std::int16_t width, std::int16_t height, std::span<const std::uint8_t> topDownPixels) {
  return I16(width).I16(height).Bytes(topDownPixels);
}

SprBytes& SprBytes::RgbaFrame(std::int16_t width, std::int16_t height, std::span<const std::uint32_t> topDownArgb) {
  I16(width).I16(height);
  for (int row = height - 1; row >= 0; --row) {
    for (int column = 0; column < width; ++column) {
      const std::uint32_t pixel = topDownArgb[static_cast<std::size_t>(row) * static_cast<std::size_t>(width) +
                                              static_cast<std::size_t>(column)];
      for (const int shift : {24, 0, 8, 16}) m_writer.U8(static_cast<std::uint8_t>(pixel >> shift));
    }
  }
  return *this;
}

SprBytes& SprBytes::I16(std::int16_t value) { m_writer.I16(value); return *this; }

SprBytes& SprBytes::Bytes(std::span<const std::uint8_t> bytes) { m_writer.Bytes(bytes); return *this; }

SprBytes& SprBytes::TestPalette() { return Bytes(TestPaletteFileOrder()); }

std::vector<std::uint8_t> TestPaletteFileOrder() {
  std::vector<std::uint8_t> palette;
  palette.reserve(kPaletteBytes);
  for (int i = 0; i < kPaletteEntries; ++i) {
    const auto entry = static_cast<std::uint8_t>(i);
    palette.insert(palette.end(), {entry, static_cast<std::uint8_t>(255 - i), static_cast<std::uint8_t>(i * 7),
                                   static_cast<std::uint8_t>(i | 1)});
  }
  return palette;
}

}  // namespace tessaloom
