#pragma once
// The image data of a compact GIF: the standard GIF LZW code, which any decoder reads
// and which takes about two thirds of the space of the restricted code of gif_lzw.h.
//   - pixels are indices below 2^m, m the minimum code size (2 to 8) written before
//     the data; codes start m + 1 bits wide (below 2^m a pixel, 2^m clear, 2^m + 1
//     end of information, then the dictionary entries) and grow by a bit each time the
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

  // Appends the image's data sub-blocks to `out`, as GifImageCoder::CodeImage does;
  // every pixel is below 2^minCodeSize.
  void CodeImage(const StoredImage& image, int minCodeSize, ByteWriter& out);

 private:
  static constexpr std::uint32_t kCodeLimit = 4095;  // a full dictionary: clear and start again
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
  std::uint32_t m_clearCode = 256;  // 2^m; the end code and the first entry follow it
  std::uint32_t m_nextCode = 0;
  int m_width = 0;

  std::vector<std::uint8_t> m_bytes;  // the coded bytes of the current image, before sub-blocking
  CodePacker m_bits;  // into m_bytes
  std::vector<std::uint8_t> m_paddedRow;  // a row that runs past the end of Pixels
};

}  // namespace tessaloom::Converter_Gif
