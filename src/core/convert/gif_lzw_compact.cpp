#include "core/convert/gif_lzw_compact.h"

#include <algorithm>
#include <bit>

namespace tessaloom::Converter_Gif {

GifCompactCoder::GifCompactCoder() : m_table(kTableSize, kEmpty) {}

void GifCompactCoder::CodeImage(const StoredImage& image, int minCodeSize, ByteWriter& out) {
  m_clearCode = 1u << minCodeSize;
  ReserveFor(image);
  Restart();
  Put(m_clearCode);
  bool first = true;
  std::uint32_t code = 0;
  for (int row = 0; row < image.Height && image.Width > 0; ++row) {
    for (const std::uint8_t pixel : ImageRow(image, row, m_paddedRow)) {
      if (first) {
        code = pixel;
        first = false;
        continue;
      }
      const std::uint32_t key = code << 8 | pixel;
      std::size_t slot = (key * 2654435761u) >> (32 - kTableBits);
      while (m_table[slot] != kEmpty && m_table[slot] >> 12 != key) slot = (slot + 1) & (kTableSize - 1);
      if (m_table[slot] != kEmpty) {
        code = m_table[slot] & 0xFFF;
        continue;
      }
      Put(code);
      // A decoder widens its codes one code later than the dictionary grows here, so
      // the width follows the entries made before this code, as it does there.
      if (m_nextCode >= (1u << m_width) && m_width < kMaxWidth) ++m_width;
      if (m_nextCode >= kCodeLimit) {
        Put(m_clearCode);
        ClearEntries();
        Restart();
      } else {
        m_table[slot] = key << 12 | m_nextCode++;
      }
      code = pixel;
    }
  }
  if (!first) {
    Put(code);
    if (m_nextCode >= (1u << m_width) && m_width < kMaxWidth) ++m_width;
  }
  Put(m_clearCode + 1);
  m_bits.Flush();
  ClearEntries();
  AppendSubBlocks(std::span(m_bytes.data(), m_bits.Out), out);
}

// At most one code per pixel, a clear code per full dictionary, and the clear and end
// codes of the image, each at most 12 bits; and the 4 bytes Put may store past the end.
void GifCompactCoder::ReserveFor(const StoredImage& image) {
  const std::size_t pixels = static_cast<std::size_t>(std::max(image.Width, 0)) *
                             static_cast<std::size_t>(std::max(image.Height, 0));
  const std::size_t codes = pixels + pixels / (kCodeLimit - m_clearCode - 2) + 3;
  if (m_bytes.size() < codes * kMaxWidth / 8 + 8) m_bytes.resize(codes * kMaxWidth / 8 + 8);
  m_bits = CodePacker{.Buffer = 0, .Count = 0, .Out = m_bytes.data()};
}

void GifCompactCoder::Put(std::uint32_t code) { m_bits.Put(code, m_width); }

void GifCompactCoder::Restart() {
  m_nextCode = m_clearCode + 2;
  m_width = std::countr_zero(m_clearCode) + 1;
}

void GifCompactCoder::ClearEntries() { std::fill(m_table.begin(), m_table.end(), kEmpty); }

}  // namespace tessaloom::Converter_Gif
