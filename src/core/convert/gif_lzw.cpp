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
  m_bits = CodePacker{.Buffer = 0, .Count = 0, .Out = m_bytes.data()};
  if (image.Width > 0) {
    for (int row = 0; row < image.Height; ++row) {
      ReserveForRow(static_cast<std::size_t>(image.Width));
      CodeRow(ImageRow(image, row, m_paddedRow));
    }
  }
  ReserveForRow(0);
  m_bits.Put(kEndCode, kCodeBits);
  m_bits.Flush();
  AppendSubBlocks({m_bytes.data(), CodedSize()}, out);
}

void GifImageCoder::CodeRow(std::span<const std::uint8_t> row) {
  CodePacker bits = m_bits;
  std::uint16_t* const extension = m_extension.data();
  int entries = 0;
  bits.Put(kClearCode, kCodeBits);
  std::uint32_t code = row[0];
  for (std::size_t x = 1; x < row.size(); ++x) {
    const std::uint8_t pixel = row[x];
    const std::uint32_t slot = code * kSymbols + pixel;
    if (const std::uint16_t longer = extension[slot]) {
      code = longer;
      continue;
    }
    bits.Put(code, kCodeBits);
    if (entries < kMaxEntries) {
      extension[slot] = static_cast<std::uint16_t>(kFirstEntry + entries);
      m_entrySlots[entries++] = slot;
    } else {
      bits.Put(kClearCode, kCodeBits);
      ClearEntries(entries);
      entries = 0;
    }
    code = pixel;
  }
  bits.Put(code, kCodeBits);
  ClearEntries(entries);
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
  const std::size_t needed = used + (codes * kCodeBits + 7) / 8 + 8;
  if (m_bytes.size() < needed) {
    m_bytes.resize(std::max(needed, m_bytes.size() * 2));
    m_bits.Out = m_bytes.data() + used;
  }
}


}  // namespace tessaloom::Converter_Gif
