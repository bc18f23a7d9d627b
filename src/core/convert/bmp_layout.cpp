#include "core/convert/bmp_layout.h"

#include <algorithm>

#include "core/common/byte_reader.h"
#include "core/sprite/spr_document.h"

namespace tessaloom::Converter_Bmp {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kMinInfoSize = 40;
constexpr std::size_t kMinHeadersSize = kFileHeaderSize + kMinInfoSize;
constexpr std::uint32_t kUncompressed = 0;
constexpr std::size_t kTableEntrySize = 4;
constexpr std::uint32_t k8BitColors = 256;

Error FormatError(std::string text, std::string detail, std::size_t offset) {
  return Error{.title = kFormatTitle, .text = std::move(text), .detail = std::move(detail), .offset = offset};
}

Error Incomplete(std::string detail, std::size_t offset) {
  return FormatError("The bitmap file is incomplete", std::move(detail), offset);
}

std::string FileSizeText(std::span<const std::uint8_t> bytes) {
  return "the file has " + std::to_string(bytes.size()) + " bytes";
}

bool FitsFrame(std::int64_t size) { return size >= 0 && size <= kMaxDimension; }

// Only 8-bit bitmaps carry a colour table the reader uses; it has at most 256 entries.
Result<std::size_t> ColorCountOf(const BmpHeaders& headers) {
  if (headers.BitsPerPixel != 8) return std::size_t{0};
  if (headers.ColorsUsed > k8BitColors) {
    return FormatError("The bitmap's colour table is malformed",
                       std::to_string(headers.ColorsUsed) + " colours announced for 8 bits per pixel; at most 256",
                       46);
  }
  return std::size_t{headers.ColorsUsed == 0 ? k8BitColors : headers.ColorsUsed};
}

}  // namespace

Error Not8BitError(std::string detail, std::size_t offset) {
  return FormatError(kNot8BitText, std::move(detail), offset);
}

Result<BmpHeaders> ReadBmpHeaders(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < 2 || bytes[0] != 'B' || bytes[1] != 'M') {
    return Not8BitError("the file does not start with \"BM\"", 0);
  }
  ByteReader reader(bytes, 10);
  BmpHeaders headers;
  headers.PixelOffset = reader.U32();
  headers.InfoSize = reader.U32();
  if (!reader.Ok()) return Incomplete("the file ends inside its file header; " + FileSizeText(bytes), bytes.size());
  if (headers.InfoSize < kMinInfoSize) {
    return Not8BitError("an information header of " + std::to_string(headers.InfoSize) +
                            " bytes; 40 or more are needed",
                        14);
  }
  if (bytes.size() < kMinHeadersSize || bytes.size() - kFileHeaderSize < headers.InfoSize) {
    return Incomplete("the information header of " + std::to_string(headers.InfoSize) +
                          " bytes runs past the end; " + FileSizeText(bytes),
                      bytes.size());
  }
  headers.Width = reader.I32();
  headers.Height = reader.I32();
  reader.Skip(2);  // planes
  headers.BitsPerPixel = reader.U16();
  headers.Compression = reader.U32();
  reader.Skip(12);  // image size, resolutions
  headers.ColorsUsed = reader.U32();
  return headers;
}

Result<BmpLayout> LocateBmpData(const BmpHeaders& headers, std::span<const std::uint8_t> bytes) {
  if (headers.Compression != kUncompressed) {
    return FormatError("Compressed bitmaps are not supported",
                       "compression method " + std::to_string(headers.Compression) + "; only 0 (none) is read", 30);
  }
  const std::int64_t height = headers.Height;
  if (!FitsFrame(headers.Width) || !FitsFrame(height < 0 ? -height : height)) {
    return FormatError("The bitmap's size is out of range",
                       "width " + std::to_string(headers.Width) + " and height " + std::to_string(headers.Height) +
                           "; each must lie between 0 and 32767",
                       18);
  }
  auto colorCount = ColorCountOf(headers);
  if (!colorCount) return colorCount.error();

  BmpLayout layout;
  layout.Width = static_cast<std::int16_t>(headers.Width);
  layout.Height = static_cast<std::int16_t>(height < 0 ? -height : height);
  layout.TopDown = height < 0;
  layout.BitsPerPixel = headers.BitsPerPixel;
  layout.ColorTableOffset = kFileHeaderSize + headers.InfoSize;
  layout.PixelOffset = headers.PixelOffset;
  layout.Stride = (static_cast<std::size_t>(layout.Width) * headers.BitsPerPixel + 31) / 32 * 4;
  if (layout.PixelOffset < layout.ColorTableOffset) {
    return FormatError("The bitmap file is damaged",
                       "the pixel data offset " + std::to_string(layout.PixelOffset) + " lies inside the headers", 10);
  }
  // The table ends where the pixels begin, whatever count the header announces.
  layout.ColorCount = std::min(*colorCount, (layout.PixelOffset - layout.ColorTableOffset) / kTableEntrySize);
  const std::size_t tableSize = layout.ColorCount * kTableEntrySize;
  if (layout.ColorTableOffset > bytes.size() || bytes.size() - layout.ColorTableOffset < tableSize) {
    return Incomplete("the colour table of " + std::to_string(layout.ColorCount) + " entries at offset " +
                          std::to_string(layout.ColorTableOffset) + " runs past the end; " + FileSizeText(bytes),
                      bytes.size());
  }
  const std::size_t pixelSize = layout.Stride * static_cast<std::size_t>(layout.Height);
  if (layout.PixelOffset > bytes.size() || bytes.size() - layout.PixelOffset < pixelSize) {
    return Incomplete("the pixel data needs " + std::to_string(pixelSize) + " bytes from offset " +
                          std::to_string(layout.PixelOffset) + "; " + FileSizeText(bytes),
                      bytes.size());
  }
  return layout;
}

std::span<const std::uint8_t> BmpImageRow(const BmpLayout& layout, std::span<const std::uint8_t> bytes, int y) {
  const std::size_t stored = layout.TopDown ? static_cast<std::size_t>(y)
                                            : static_cast<std::size_t>(layout.Height - 1 - y);
  return bytes.subspan(layout.PixelOffset + stored * layout.Stride, layout.Stride);
}

}  // namespace tessaloom::Converter_Bmp
