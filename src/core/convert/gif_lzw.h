#pragma once
// The coded image data of a GIF picture as this system writes it: a restricted LZW
// code that any GIF decoder reads.
//   - every code is 9 bits wide: 0..255 a palette index, 256 clear, 257 end of
//     information, 258..510 the dictionary entries; the width never grows;
//   - every image row starts with a clear code and an empty dictionary;
//   - the dictionary holds at most 253 entries; at the next miss after that the
//     current code is emitted, then a clear code, and the dictionary starts again;
//   - codes are packed least significant bit first into data sub-blocks of 255
//     bytes (count byte, data); only the last sub-block of an image is shorter.

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "core/common/byte_writer.h"

namespace tessaloom::Converter_Gif {

// Where an image's rows lie in a frame's Pixels: bottom-up rows of `Stride` bytes of
// which the first `Width` are the image. Bytes past the end of Pixels read as 0.
struct StoredImage {
  std::span<const std::uint8_t> Pixels;
  std::size_t Stride = 0;
  int Width = 0;
  int Height = 0;
};

// Image row `row` (0 the top) of `image`, exactly Width bytes; a row that runs past
// the end of Pixels is copied into `padded`, zero-filled, and read from there.
std::span<const std::uint8_t> ImageRow(const StoredImage& image, int row, std::vector<std::uint8_t>& padded);

// Appends `coded` to `out` as data sub-blocks: a count byte, then up to 255 bytes.
void AppendSubBlocks(std::span<const std::uint8_t> coded, ByteWriter& out);

// Codes gathered least significant bit first in a 64-bit word and stored four bytes
// at a time, so that there must be four bytes of room past Out. A row works on a local
// copy, which the compiler keeps in registers.
struct CodePacker {
  std::uint64_t Buffer = 0;
  int Count = 0;
  std::uint8_t* Out = nullptr;

  void Put(std::uint32_t code, int width) {
    Buffer |= std::uint64_t{code} << Count;
    Count += width;
    if (Count >= 32) {
      for (int i = 0; i < 4; ++i) Out[i] = static_cast<std::uint8_t>(Buffer >> (8 * i));
      Out += 4;
      Buffer >>= 32;
      Count -= 32;
    }
  }
  // Codes of one width of at most 14 bits, four at a time, each four stored as one
  // word; so there must be eight bytes of room past Out.
  void PutAll(std::span<const std::uint16_t> codes, int width) {
    static_assert(std::endian::native == std::endian::little, "the word is stored as it lies in memory");
    for (; Count >= 8; Count -= 8, Buffer >>= 8) *Out++ = static_cast<std::uint8_t>(Buffer);
    std::size_t n = 0;
    for (; n + 4 <= codes.size(); n += 4) {
      const std::uint64_t four = std::uint64_t{codes[n]} | std::uint64_t{codes[n + 1]} << width |
                                 std::uint64_t{codes[n + 2]} << 2 * width | std::uint64_t{codes[n + 3]} << 3 * width;
      Buffer |= four << Count;
      Count += 4 * width;
      std::memcpy(Out, &Buffer, sizeof Buffer);
      const int completed = Count / 8;
      Out += completed;
      Buffer >>= 8 * completed;
      Count %= 8;
    }
    for (; n < codes.size(); ++n) Put(codes[n], width);
  }
  // Stores the bits still held; the unused high bits of the last byte stay 0.
  void Flush() {
    for (; Count > 0; Count -= 8, Buffer >>= 8) *Out++ = static_cast<std::uint8_t>(Buffer);
    Count = 0;
  }
};

// Reused across images so the tables are allocated once per export.
class GifImageCoder {
 public:
  GifImageCoder();

  // Appends the image's data sub-blocks to `out` (without the minimum code size
  // before them and the block terminator after them).
  void CodeImage(const StoredImage& image, ByteWriter& out);

 private:
  static constexpr int kCodeBits = 9;
  static constexpr std::uint32_t kClearCode = 256;
  static constexpr std::uint32_t kEndCode = 257;
  static constexpr std::uint32_t kFirstEntry = 258;
  static constexpr int kMaxEntries = 253;  // codes 258..510: a decoder never widens to 10 bits
  static constexpr std::size_t kSymbols = 256;

  // Rows narrower than this never fill their dictionary (a row of w pixels makes at
  // most w - 1 entries), so they can be coded in groups.
  static constexpr int kGroupedWidth = kMaxEntries;
  static constexpr int kGroupRows = 8;
  using RowGroup = std::array<std::span<const std::uint8_t>, kGroupRows>;

  // A grouped row's walk through its dictionary. Every code but the opening clear
  // code ends a string and makes an entry, so entry n (from 1) is made with code n,
  // and its slot goes at Slots[n].
  struct Walk {
    std::uint8_t* Entries;  // this row's dictionary
    std::uint32_t* Slots;
    std::uint16_t* Codes;
    const std::uint8_t* Pixels;
    std::uint32_t Emitted;
    std::uint32_t Code;  // of the string read so far
  };

  void CodeRow(std::span<const std::uint8_t> row);
  // The rows' codes, each row as CodeRow codes it. Every row starts with an empty
  // dictionary, so the rows' walks through their dictionaries are independent: they
  // run side by side, each in tables of its own, without a branch, so that the
  // processor overlaps their table reads instead of guessing each walk's next step.
  // The background that every row of the group starts or ends with is walked by
  // WalkZeros.
  void CodeRowGroup(const RowGroup& rows);
  // Walks on over `zeros` pixels, all 0, as the walk in CodeRowGroup would.
  static void WalkZeros(Walk& walk, std::size_t zeros);
  void ClearEntries(int count);
  // Room in the coded bytes (and the group's code lists) for `rows` rows of `width`.
  void Reserve(std::size_t width, int rows);
  std::size_t CodedSize() const { return static_cast<std::size_t>(m_bits.Out - m_bytes.data()); }

  // Code of the sequence "sequence of code c, then pixel p" at c * 256 + p; 0 when absent.
  // Empty between rows: a row removes its entries when it ends.
  std::vector<std::uint16_t> m_extension;
  std::array<std::uint32_t, kMaxEntries> m_entrySlots{};  // the slots filled since the last clear

  std::vector<std::uint8_t> m_bytes;  // the coded bytes of the current image, before sub-blocking
  CodePacker m_bits;
  std::vector<std::uint8_t> m_paddedRow;  // a row that runs past the end of Pixels

  // Per grouped row: its dictionary, as m_extension but holding entry numbers from 1
  // (code kFirstEntry - 1 + n), which fit a byte in rows this narrow; the slots it
  // filled; its codes before packing; and its copy when it runs past Pixels.
  std::vector<std::uint8_t> m_groupEntries;
  std::array<std::array<std::uint32_t, kGroupedWidth>, kGroupRows> m_groupSlots{};
  std::array<std::vector<std::uint16_t>, kGroupRows> m_groupCodes;
  std::array<std::vector<std::uint8_t>, kGroupRows> m_groupPadded;
};

}  // namespace tessaloom::Converter_Gif
