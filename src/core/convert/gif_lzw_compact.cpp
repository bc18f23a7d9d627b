#include "core/convert/gif_lzw_compact.h"

namespace tessaloom::Converter_Gif {

GifCompactCoder::GifCompactCoder() : m_extension((kCodeLimit + 1) * kSymbols, 0) {
  m_filledSlots.reserve(kCodeLimit);
}

void GifCompactCoder::CodeImage(const StoredImage& image, ByteWriter& out) {
  m_bytes.clear();
  m_buffer = 0;
  m_bufferBits = 0;
  m_width = kFirstWidth;
  Put(kClearCode);
  Restart();
  bool first = true;
  std::uint32_t code = 0;
  for (int row = 0; row < image.Height && image.Width > 0; ++row) {
    for (const std::uint8_t pixel : ImageRow(image, row, m_paddedRow)) {
      if (first) {
        code = pixel;
        first = false;
        continue;
      }
      const std::uint32_t slot = code * kSymbols + pixel;
      if (const std::uint16_t longer = m_extension[slot]) {
        code = longer;
        continue;
      }
      Put(code);
      // A decoder widens its codes one code later than the dictionary grows here, so
      // the width follows the entries made before this code, as it does there.
      if (m_nextCode >= (1u << m_width) && m_width < kMaxWidth) ++m_width;
      if (m_nextCode >= kCodeLimit) {
        Put(kClearCode);
        ClearEntries();
        Restart();
      } else {
        m_extension[slot] = static_cast<std::uint16_t>(m_nextCode++);
        m_filledSlots.push_back(slot);
      }
      code = pixel;
    }
  }
  if (!first) {
    Put(code);
    if (m_nextCode >= (1u << m_width) && m_width < kMaxWidth) ++m_width;
  }
  Put(kEndCode);
  if (m_bufferBits > 0) m_bytes.push_back(static_cast<std::uint8_t>(m_buffer));
  ClearEntries();
  AppendSubBlocks(m_bytes, out);
}

void GifCompactCoder::Put(std::uint32_t code) {
  m_buffer |= std::uint64_t{code} << m_bufferBits;
  m_bufferBits += m_width;
  while (m_bufferBits >= 8) {
    m_bytes.push_back(static_cast<std::uint8_t>(m_buffer));
    m_buffer >>= 8;
    m_bufferBits -= 8;
  }
}

void GifCompactCoder::Restart() {
  m_nextCode = kFirstEntry;
  m_width = kFirstWidth;
}

void GifCompactCoder::ClearEntries() {
  for (const std::uint32_t slot : m_filledSlots) m_extension[slot] = 0;
  m_filledSlots.clear();
}

}  // namespace tessaloom::Converter_Gif
