#include "support/bmp_bytes.h"

#include <algorithm>

#include "core/common/byte_writer.h"

namespace tessaloom {
namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint8_t kGapFiller = 0xEE;

std::vector<std::uint8_t> PaddedRow(const std::vector<std::uint8_t>& row) {
  std::vector<std::uint8_t> padded = row;
  padded.resize((row.size() + 3) / 4 * 4, 0);
  return padded;
}

}  // namespace

std::vector<std::uint8_t> BuildBmp(const BmpFields& fields) {
  std::vector<std::uint8_t> pixels;
  for (std::size_t i = 0; i < fields.Rows.size(); ++i) {
    const auto& row = fields.TopDown ? fields.Rows[i] : fields.Rows[fields.Rows.size() - 1 - i];
    const auto padded = PaddedRow(row);
    pixels.insert(pixels.end(), padded.begin(), padded.end());
  }
  const auto tableOffset = kFileHeaderSize + fields.InfoHeaderSize;
  const auto tableEnd = tableOffset + static_cast<std::uint32_t>(fields.Table.size());
  const std::uint32_t pixelOffset = fields.PixelOffset.value_or(tableEnd);

  ByteWriter out;
  out.Text("BM");
  out.U32(pixelOffset + static_cast<std::uint32_t>(pixels.size()));
  out.U32(0);
  out.U32(pixelOffset);
  out.U32(fields.InfoHeaderSize);
  out.I32(fields.Width);
  out.I32(fields.TopDown ? -fields.Height : fields.Height);
  out.U16(1);
  out.U16(fields.BitsPerPixel);
  out.U32(fields.Compression);
  out.U32(static_cast<std::uint32_t>(pixels.size()));
  out.U32(2835);  // 72 dpi
  out.U32(2835);
  out.U32(fields.ColorsUsed.value_or(static_cast<std::uint32_t>(fields.Table.size() / 4)));
  out.U32(0);
  std::vector<std::uint8_t> bytes = out.Take();
  bytes.resize(std::max<std::size_t>(bytes.size(), tableOffset), 0);
  bytes.insert(bytes.end(), fields.Table.begin(), fields.Table.end());
  if (pixelOffset > bytes.size()) bytes.resize(pixelOffset, kGapFiller);
  bytes.insert(bytes.end(), pixels.begin(), pixels.end());
  return bytes;
}

std::vector<std::uint8_t> GradientTable(int entries) {
  std::vector<std::uint8_t> table;
  for (int k = 0; k < entries; ++k) {
    table.insert(table.end(), {static_cast<std::uint8_t>(k), static_cast<std::uint8_t>(255 - k),
                               static_cast<std::uint8_t>(k / 2), 0});
  }
  return table;
}

}  // namespace tessaloom
