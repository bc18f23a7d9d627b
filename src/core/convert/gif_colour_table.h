#pragma once
// The colour table of a GIF. The plain one is the palette's 256 entries in order. A
// compact one holds only the entries its pictures use, in palette order and with
// index 0 first, so that their indices, and with them the codes, are as small as can
// be: 40 colours take a 64-entry table and 7-bit first codes instead of 9-bit ones.
// Decoded, the pictures show the same colours either way.

#include <array>
#include <bitset>
#include <cstdint>
#include <span>
#include <vector>

#include "core/common/byte_writer.h"
#include "core/sprite/spr_document.h"

namespace tessaloom::Converter_Gif {

using UsedIndices = std::bitset<kPaletteEntries>;

class GifColourTable {
 public:
  // Every palette entry, each at its own index.
  static GifColourTable Full();
  // The `used` entries and index 0 (transparent, and the screen's background), and
  // with `spare` room for one more index that no picture uses, which an opaque
  // animation shows unchanged pixels with.
  static GifColourTable Compact(const UsedIndices& used, bool spare);

  // The table holds 2^SizeBits entries (1 to 8).
  int SizeBits() const { return m_sizeBits; }
  // What the image data's code starts from: the table's bits, at least 2.
  int MinCodeSize() const;
  // Whether the table leaves the pixels' indices as they are.
  bool KeepsIndices() const { return m_sizeBits == 8; }

  // The table's entries as red, green, blue; entries past the used ones are black.
  void Put(const SprHeader& header, ByteWriter& out) const;
  // The table's index of a palette index, or kAbsent.
  static constexpr std::uint16_t kAbsent = 0x200;
  std::uint16_t TableIndex(std::uint8_t paletteIndex) const { return m_tableIndex[paletteIndex]; }
  // `pixels` with each palette index replaced by its table index; every one of them
  // must be in the table.
  void Translate(std::span<const std::uint8_t> pixels, std::vector<std::uint8_t>& translated) const;

 private:
  GifColourTable() = default;

  int m_sizeBits = 8;
  std::array<std::uint16_t, kPaletteEntries> m_tableIndex{};  // of each palette index, or kAbsent
  std::vector<std::uint8_t> m_paletteIndex;                 // of each table entry in use
};

// The indices `pixels` hold, added to `used`.
void AddUsedIndices(std::span<const std::uint8_t> pixels, UsedIndices& used);

}  // namespace tessaloom::Converter_Gif
