#include "core/convert/converter_bmp.h"

#include <algorithm>

#include "core/common/byte_writer.h"
#include "core/common/file_io.h"
#include "core/convert/bmp_layout.h"
#include "core/sprite/palette.h"

namespace tessaloom::Converter_Bmp {
namespace {

constexpr std::uint32_t kHeadersSize = 54;
constexpr std::uint32_t kInfoSize = 40;
constexpr std::uint32_t kPixelOffset = kHeadersSize + kPaletteBytes;
constexpr char kOpenTitle[] = "Open error";
constexpr char kExportTitle[] = "Export error";

// The frame's rows as the bitmap stores them: normally Pixels itself; a frame whose
// Pixels is shorter or longer than its size needs is padded with 0 or cut.
std::vector<std::uint8_t> StoredRows(const SprFrame& frame) {
  const std::size_t size = static_cast<std::size_t>(RowStride(std::max<int>(frame.Width, 0))) *
                           static_cast<std::size_t>(std::max<int>(frame.Height, 0));
  std::vector<std::uint8_t> rows(size, 0);
  std::copy_n(frame.Pixels.begin(), std::min(size, frame.Pixels.size()), rows.begin());
  return rows;
}

std::vector<std::uint8_t> ColorTableOf(const BmpLayout& layout, std::span<const std::uint8_t> bytes) {
  std::vector<std::uint8_t> table(kPaletteBytes, 0);
  const auto stored = bytes.subspan(layout.ColorTableOffset, layout.ColorCount * 4);
  std::copy(stored.begin(), stored.end(), table.begin());
  return table;
}

std::vector<std::uint8_t> BottomUpPixels(const BmpLayout& layout, std::span<const std::uint8_t> bytes) {
  std::vector<std::uint8_t> pixels;
  pixels.reserve(layout.Stride * static_cast<std::size_t>(layout.Height));
  for (int y = layout.Height - 1; y >= 0; --y) {
    const auto row = BmpImageRow(layout, bytes, y);
    pixels.insert(pixels.end(), row.begin(), row.end());
  }
  return pixels;
}

}  // namespace

Result<BmpImage> ParseBmp(std::span<const std::uint8_t> bytes) {
  auto headers = ReadBmpHeaders(bytes);
  if (!headers) return headers.error();
  if (headers->BitsPerPixel != 8) {
    return Not8BitError(std::to_string(headers->BitsPerPixel) + " bits per pixel", 28);
  }
  auto layout = LocateBmpData(*headers, bytes);
  if (!layout) return layout.error();
  return BmpImage{.Width = layout->Width,
                  .Height = layout->Height,
                  .Pixels = BottomUpPixels(*layout, bytes),
                  .ColorTable = ColorTableOf(*layout, bytes)};
}

Result<BmpImage> ReadBmp(const std::filesystem::path& path) {
  auto bytes = ReadWholeFile(path, kOpenTitle);
  if (!bytes) return bytes.error();
  auto image = ParseBmp(*bytes);
  if (image) return image;
  Error error = image.error();
  error.detail = DisplayName(path) + ": " + error.detail;
  return error;
}

std::vector<std::uint8_t> SerializeBmp(const SprHeader& header, const SprFrame& frame) {
  const std::vector<std::uint8_t> rows = StoredRows(frame);
  const auto imageSize = static_cast<std::uint32_t>(rows.size());
  ByteWriter writer;
  writer.Reserve(kPixelOffset + rows.size());
  writer.Text("BM");
  writer.U32(kPixelOffset + imageSize);
  writer.U32(0);
  writer.U32(kPixelOffset);
  writer.U32(kInfoSize);
  writer.I32(frame.Width);
  writer.I32(frame.Height);
  writer.U16(1);  // planes
  writer.U16(8);  // bits per pixel
  writer.U32(0);  // no compression
  writer.U32(imageSize);
  writer.U32(0);  // horizontal resolution
  writer.U32(0);  // vertical resolution
  writer.U32(kPaletteEntries);
  writer.U32(0);  // important colours
  writer.Bytes(Tool_Spr::FullPalette(header.Palette));
  writer.Bytes(rows);
  return writer.Take();
}

Status WriteBmp(const SprHeader& header, const SprFrame& frame, const std::filesystem::path& path) {
  return WriteFileAtomically(path, SerializeBmp(header, frame), kExportTitle);
}

}  // namespace tessaloom::Converter_Bmp
