#include "core/convert/gif_colour_table.h"

#include <algorithm>
#include <bit>

#include "core/sprite/palette.h"

namespace tessaloom::Converter_Gif {

GifColourTable GifColourTable::Full() {
  GifColourTable table;
  for (int index = 0; index < kPaletteEntries; ++index) {
    table.m_tableIndex[static_cast<std::size_t>(index)] = static_cast<std::uint8_t>(index);
    table.m_paletteIndex.push_back(static_cast<std::uint8_t>(index));
  }
  return table;
}

GifColourTable GifColourTable::Compact(const UsedIndices& used, bool spare) {
  GifColourTable table;
  table.m_tableIndex.fill(kAbsent);
  for (int index = 0; index < kPaletteEntries; ++index) {
    if (index != 0 && !used.test(static_cast<std::size_t>(index))) continue;
    table.m_tableIndex[static_cast<std::size_t>(index)] = static_cast<std::uint8_t>(table.m_paletteIndex.size());
    table.m_paletteIndex.push_back(static_cast<std::uint8_t>(index));
  }
  const std::size_t entries = std::min<std::size_t>(table.m_paletteIndex.size() + (spare ? 1 : 0), kPaletteEntries);
  table.m_sizeBits = std::max(1, static_cast<int>(std::bit_width(entries - 1)));
  return table;
}

int GifColourTable::MinCodeSize() const { return std::max(m_sizeBits, 2); }

void GifColourTable::Put(const SprHeader& header, ByteWriter& out) const {
  const auto palette = Tool_Spr::FullPalette(header.Palette);
  const std::size_t entries = std::size_t{1} << m_sizeBits;
  for (std::size_t entry = 0; entry < entries; ++entry) {
    if (entry >= m_paletteIndex.size()) {
      out.Bytes(std::to_array<std::uint8_t>({0, 0, 0}));
      continue;
    }
    const std::size_t at = std::size_t{4} * m_paletteIndex[entry];
    out.Bytes(std::to_array<std::uint8_t>({palette[at + 2], palette[at + 1], palette[at]}));
  }
}

void GifColourTable::Translate(std::span<const std::uint8_t> pixels, std::vector<std::uint8_t>& translated) const {
  translated.resize(pixels.size());
  std::ranges::transform(pixels, translated.begin(),
                         [this](std::uint8_t index) { return static_cast<std::uint8_t>(m_tableIndex[index]); });
}

void AddUsedIndices(std::span<const std::uint8_t> pixels, UsedIndices& used) {
  std::array<bool, kPaletteEntries> seen{};
  for (const std::uint8_t index : pixels) seen[index] = true;
  for (std::size_t index = 0; index < seen.size(); ++index) {
    if (seen[index]) used.set(index);
  }
}

}  // namespace tessaloom::Converter_Gif
