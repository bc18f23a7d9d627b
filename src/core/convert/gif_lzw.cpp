#include "core/convert/gif_lzw.h"

#include <algorithm>
#include <cstring>

namespace tessaloom::Converter_Gif {
namespace {

constexpr std::size_t kSubBlockSize = 255;
constexpr std::size_t kMaxCodes = 511;

// The number of 0 pixels `pixels` starts with, eight at a time.
std::size_t LeadingZeros(std::span<const std::uint8_t> pixels) {
  std::size_t count = 0;
  for (std::uint64_t eight = 0; count + sizeof eight <= pixels.size(); count += sizeof eight) {
    std::memcpy(&eight, pixels.data() + count, sizeof eight);
    if (eight != 0) break;
  }
  while (count < pixels.size() && pixels[count] == 0) ++count;
  return count;
}

// The number of 0 pixels `pixels` ends with, eight at a time.
std::size_t TrailingZeros(std::span<const std::uint8_t> pixels) {
  std::size_t count = 0;
  for (std::uint64_t eight = 0; count + sizeof eight <= pixels.size(); count += sizeof eight) {
    std::memcpy(&eight, pixels.data() + pixels.size() - count - sizeof eight, sizeof eight);
    if (eight != 0) break;
  }
  while (count < pixels.size() && pixels[pixels.size() - 1 - count] == 0) ++count;
  return count;
}

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

GifImageCoder::GifImageCoder()
    : m_extension(kMaxCodes * kSymbols, 0), m_groupEntries(kGroupRows * kMaxCodes * kSymbols, 0) {}

void GifImageCoder::CodeImage(const StoredImage& image, ByteWriter& out) {
  m_bits = CodePacker{.Buffer = 0, .Count = 0, .Out = m_bytes.data()};
  const auto width = static_cast<std::size_t>(std::max(image.Width, 0));
  int row = 0;
  if (width > 0 && image.Width < kGroupedWidth) {
    for (; row + kGroupRows <= image.Height; row += kGroupRows) {
      Reserve(width, kGroupRows);
      RowGroup rows;
      for (int i = 0; i < kGroupRows; ++i) rows[i] = ImageRow(image, row + i, m_groupPadded[i]);
      CodeRowGroup(rows);
    }
  }
  for (; width > 0 && row < image.Height; ++row) {
    Reserve(width, 1);
    CodeRow(ImageRow(image, row, m_paddedRow));
  }
  Reserve(0, 1);
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

void GifImageCoder::CodeRowGroup(const RowGroup& rows) {
  // The background the rows start and end with, as far as every row has it, is
  // walked without looking at it.
  const std::size_t width = rows[0].size();
  std::size_t leading = width;
  for (const std::span<const std::uint8_t>& row : rows) leading = LeadingZeros(row.first(leading));
  const std::size_t first = std::max<std::size_t>(leading, 1);
  std::size_t trailing = width - first;
  for (const std::span<const std::uint8_t>& row : rows) trailing = TrailingZeros(row.last(trailing));
  std::array<Walk, kGroupRows> walks;
  for (std::size_t i = 0; i < kGroupRows; ++i) {
    walks[i] = Walk{.Entries = m_groupEntries.data() + i * kMaxCodes * kSymbols,
                    .Slots = m_groupSlots[i].data(),
                    .Codes = m_groupCodes[i].data(),
                    .Pixels = rows[i].data(),
                    .Emitted = 1,
                    .Code = rows[i][0]};
    walks[i].Codes[0] = kClearCode;
  }
  if (leading > 0) {
    for (Walk& walk : walks) WalkZeros(walk, leading - 1);
  }
  // Masks, not conditions, which the compiler would turn back into branches. A slot
  // holds 0 exactly when the string ends there; it is written either way.
  for (std::size_t x = first; x < width - trailing; ++x) {
    for (Walk& walk : walks) {
      const std::uint32_t pixel = walk.Pixels[x];
      const std::uint32_t slot = walk.Code * kSymbols + pixel;
      const std::uint32_t entry = walk.Entries[slot];
      const std::uint32_t miss = entry == 0 ? 1 : 0;
      const std::uint32_t onMiss = 0u - miss;
      walk.Codes[walk.Emitted] = static_cast<std::uint16_t>(walk.Code);
      walk.Slots[walk.Emitted] = slot;
      walk.Entries[slot] = static_cast<std::uint8_t>(entry | (walk.Emitted & onMiss));
      walk.Emitted += miss;
      walk.Code = ((kFirstEntry - 1 + entry) & ~onMiss) | (pixel & onMiss);
    }
  }
  CodePacker bits = m_bits;
  for (Walk& walk : walks) {
    WalkZeros(walk, trailing);
    for (std::uint32_t n = 1; n < walk.Emitted; ++n) walk.Entries[walk.Slots[n]] = 0;
    walk.Codes[walk.Emitted++] = static_cast<std::uint16_t>(walk.Code);
    bits.PutAll({walk.Codes, walk.Emitted}, kCodeBits);
  }
  m_bits = bits;
}

// Zeros are read without looking at the pixels, and mostly without looking at the
// dictionary. The strings of zeros it holds are 0, 00, … up to the longest, each the
// entry of the one before. Once the string being read is made of zeros, it grows by
// each zero until it is the longest; the next zero ends it, which makes the entry of
// one zero more and starts the string 0 again.
void GifImageCoder::WalkZeros(Walk& walk, std::size_t zeros) {
  if (zeros == 0) return;
  std::array<std::uint32_t, kGroupedWidth + 1> zerosCode;  // of the string of n + 1 zeros, for n < longest
  zerosCode[0] = 0;
  std::size_t longest = 1;
  for (std::uint32_t entry = walk.Entries[0]; entry != 0; entry = walk.Entries[zerosCode[longest++] * kSymbols]) {
    zerosCode[longest] = kFirstEntry - 1 + entry;
  }
  const auto end = [&](std::uint32_t code) {
    walk.Codes[walk.Emitted] = static_cast<std::uint16_t>(code);
    walk.Slots[walk.Emitted] = code * kSymbols;
    walk.Entries[code * kSymbols] = static_cast<std::uint8_t>(walk.Emitted);
    ++walk.Emitted;
  };
  const auto zerosIn = [&](std::uint32_t code) {  // the length of a string of zeros; 0 for another
    const auto found = std::find(zerosCode.begin(), zerosCode.begin() + longest, code);
    return found == zerosCode.begin() + longest ? 0 : static_cast<std::size_t>(found - zerosCode.begin()) + 1;
  };
  // A string with another pixel in it is read on as the dictionary says, until a
  // zero ends it.
  for (; zeros > 0 && zerosIn(walk.Code) == 0; --zeros) {
    if (const std::uint32_t entry = walk.Entries[walk.Code * kSymbols]) {
      walk.Code = kFirstEntry - 1 + entry;
    } else {
      end(walk.Code);
      walk.Code = 0;
    }
  }
  if (zeros == 0) return;
  std::size_t length = zerosIn(walk.Code);
  while (zeros > longest - length) {
    zeros -= longest - length + 1;
    end(zerosCode[longest - 1]);
    zerosCode[longest++] = kFirstEntry - 2 + walk.Emitted;
    length = 1;
  }
  walk.Code = zerosCode[length + zeros - 1];
}

void GifImageCoder::ClearEntries(int count) {
  for (int i = 0; i < count; ++i) m_extension[m_entrySlots[i]] = 0;
}

// A row emits at most one code per pixel, a clear code per 253 entries, the opening
// clear code and the row's last code; the end code and the partial bytes need a few more.
void GifImageCoder::Reserve(std::size_t width, int rows) {
  const std::size_t used = CodedSize();
  const std::size_t codes = width + width / kMaxEntries + 3;
  if (rows > 1) {
    for (std::vector<std::uint16_t>& list : m_groupCodes) {
      if (list.size() < codes) list.resize(codes);
    }
  }
  const std::size_t needed = used + (static_cast<std::size_t>(rows) * codes * kCodeBits + 7) / 8 + 8;
  if (m_bytes.size() < needed) {
    m_bytes.resize(std::max(needed, m_bytes.size() * 2));
    m_bits.Out = m_bytes.data() + used;
  }
}


}  // namespace tessaloom::Converter_Gif
