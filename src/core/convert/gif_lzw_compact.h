#pragma once
// The image data of a compact GIF: the standard GIF LZW code, which any decoder reads
// and which takes about two thirds of the space of the restricted code of gif_lzw.h.
//   - codes start 9 bits wide (0..255 a palette index, 256 clear, 257 end of
//     information, 258 on the dictionary entries) and grow by a bit each time the
//     next entry no longer fits, up to 12 bits;
//   - the whole image is one stream: one clear code at the start, and another only
//     when the dictionary is full (4095 codes), after which it starts again;
//   - codes are packed least significant bit first into data sub-blocks of 255 bytes.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/common/byte_writer.h"
#include "core/convert/gif_lzw.h"

namespace tessaloom::Converter_Gif {

class GifCompactCoder {
 public:
  GifCompactCoder();

  // Appends the image's data sub-blocks to `out`, as GifImageCoder::CodeImage does.
  void CodeImage(const StoredImage& image, ByteWriter& out);

 private:
  static constexpr std::uint32_t kClearCode = 256;
  static constexpr std::uint32_t kEndCode = 257;
  static constexpr std::uint32_t kFirstEntry = 258;
  static constexpr std::uint32_t kCodeLimit = 4095;  // a full dictionary: clear and start again
  static constexpr int kFirstWidth = 9;
  static constexpr int kMaxWidth = 12;

  void ReserveFor(const StoredImage& image);
  void Put(std::uint32_t code);
  void Restart();
  void ClearEntries();

  // The entries, hashed: "sequence of code c, then pixel p" as (c * 256 + p) << 12 | its
  // code. Twice as many slots as codes keep the probes short, and the table in cache.
  static constexpr int kTableBits = 13;
  static constexpr std::size_t kTableSize = std::size_t{1} << kTableBits;
  static constexpr std::uint32_t kEmpty = 0xFFFFFFFF;  // code 4095 never starts an entry
  std::vector<std::uint32_t> m_table;
  std::uint32_t m_nextCode = kFirstEntry;
  int m_width = kFirstWidth;

  std::vector<std::uint8_t> m_bytes;  // the coded bytes of the current image, before sub-blocking
  CodePacker m_bits;  // into m_bytes
  std::vector<std::uint8_t> m_paddedRow;  // a row that runs past the end of Pixels
};

}  // namespace tessaloom::Converter_Gif
