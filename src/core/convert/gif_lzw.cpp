#include "core/convert/gif_lzw.h"

#include <algorithm>

namespace tessaloom::Converter_Gif {
namespace {

constexpr std::size_t kSubBlockSize = 255;
constexpr std::size_t kMaxCodes = 511;

}  // namespace

// Image rows are emitted top first; stored row 0 is the bottom of the picture.
std::span<const std::uint8_t> ImageRow(const StoredImage& image, int row, std::vector<std::uint8_t>& padded) {
  const std::size_t width = static_cast<std::size_t>(image.Width);
  const std::size_t start = static_cast<std::size_t>(image.Height - 1 - row) * image.Stride;
  if (start <= image.Pixels.size() && image.Pixels.size() - start >= width) {
    return image.Pixels.subspan(start, width);
  }
  padded.assign(width, 0);
  if (start < image.Pixels.size()) {
    std::copy(image.Pixels.begin() + static_cast<std::ptrdiff_t>(start), image.Pixels.end(), padded.begin());
  }
  return padded;
}

void AppendSubBlocks(std::span<const std::uint8_t> coded, ByteWriter& out) {
  for (std::size_t at = 0; at < coded.size(); at += kSubBlockSize) {
    const auto block = coded.subspan(at, std::min(kSubBlockSize, coded.size() - at));
    out.U8(static_cast<std::uint8_t>(block.size()));
    out.Bytes(block);
  }
}

GifImageCoder::GifImageCoder() : m_extension(kMaxCodes * kSymbols, 0) {}

void GifImageCoder::CodeImage(const StoredImage& image, ByteWriter& out) {
  m_bits = BitPacker{.Buffer = 0, .Count = 0, .Out = m_bytes.data()};
  if (image.Width > 0) {
    for (int row = 0; row < image.Height; ++row) {
      ReserveForRow(static_cast<std::size_t>(image.Width));
      CodeRow(ImageRow(image, row, m_paddedRow));
    }
  }
  ReserveForRow(0);
  m_bits.Put(kEndCode);
  FlushBits();
  AppendSubBlocks({m_bytes.data(), CodedSize()}, out);
}

// Whether the string goes on or a code is emitted depends on the picture and
// cannot be predicted, so while the dictionary has room each pixel does both without
// a branch: it writes its slot (its own value again when the string goes on) and its
// code, which is kept only on a miss. Once the dictionary is full, which only rows of
// hundreds of pixels reach, the next miss restarts it. The row's codes are packed
// into bits afterwards.
void GifImageCoder::CodeRow(std::span<const std::uint8_t> row) {
  std::uint16_t* const extension = m_extension.data();
  std::uint32_t* const entrySlots = m_entrySlots.data();
  std::uint16_t* const codes = m_rowCodes.data();
  std::size_t emitted = 0;
  std::uint32_t entries = 0;
  codes[emitted++] = kClearCode;
  std::uint32_t code = row[0];
  std::size_t x = 1;
  while (x < row.size()) {
    for (; x < row.size() && entries < kMaxEntries; ++x) {
      const std::uint32_t pixel = row[x];
      const std::uint32_t slot = code * kSymbols + pixel;
      const std::uint32_t longer = extension[slot];
      const std::uint32_t miss = longer == 0 ? 1 : 0;
      codes[emitted] = static_cast<std::uint16_t>(code);
      emitted += miss;
      extension[slot] = static_cast<std::uint16_t>(miss != 0 ? kFirstEntry + entries : longer);
      entrySlots[entries] = slot;
      entries += miss;
      code = miss != 0 ? pixel : longer;
    }
    for (; x < row.size(); ++x) {
      const std::uint32_t pixel = row[x];
      if (const std::uint16_t longer = extension[code * kSymbols + pixel]) {
        code = longer;
        continue;
      }
      codes[emitted++] = static_cast<std::uint16_t>(code);
      codes[emitted++] = kClearCode;
      ClearEntries(static_cast<int>(entries));
      entries = 0;
      code = pixel;
      ++x;
      break;
    }
  }
  codes[emitted++] = static_cast<std::uint16_t>(code);
  ClearEntries(static_cast<int>(entries));
  BitPacker bits = m_bits;
  for (std::size_t i = 0; i < emitted; ++i) bits.Put(codes[i]);
  m_bits = bits;
}

void GifImageCoder::ClearEntries(int count) {
  for (int i = 0; i < count; ++i) m_extension[m_entrySlots[i]] = 0;
}

// A row emits at most one code per pixel, a clear code per 253 entries, the opening
// clear code and the row's last code; the end code and the partial bytes need a few more.
void GifImageCoder::ReserveForRow(std::size_t width) {
  const std::size_t used = CodedSize();
  const std::size_t codes = width + width / kMaxEntries + 3;
  if (m_rowCodes.size() < codes) m_rowCodes.resize(codes);
  const std::size_t needed = used + (codes * kCodeBits + 7) / 8 + 8;
  if (m_bytes.size() < needed) {
    m_bytes.resize(std::max(needed, m_bytes.size() * 2));
    m_bits.Out = m_bytes.data() + used;
  }
}

// The unused high bits of the last byte stay 0.
void GifImageCoder::FlushBits() {
  for (; m_bits.Count > 0; m_bits.Count -= 8) {
    *m_bits.Out++ = static_cast<std::uint8_t>(m_bits.Buffer);
    m_bits.Buffer >>= 8;
  }
  m_bits.Count = 0;
}

}  // namespace tessaloom::Converter_Gif
