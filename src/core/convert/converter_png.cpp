#include "core/convert/converter_png.h"

#include <algorithm>
#include <array>

#include "core/common/file_io.h"
#include "core/convert/png_codec.h"
#include "core/sprite/palette.h"

namespace tessaloom::Converter_Png {
namespace {

constexpr char kExportTitle[] = "Export error";

std::array<std::uint8_t, 3 * kPaletteEntries> RgbPalette(std::span<const std::uint8_t> palette) {
  const auto full = Tool_Spr::FullPalette(palette);
  std::array<std::uint8_t, 3 * kPaletteEntries> triples{};
  for (std::size_t entry = 0; entry < kPaletteEntries; ++entry) {
    triples[3 * entry] = full[4 * entry + 2];
    triples[3 * entry + 1] = full[4 * entry + 1];
    triples[3 * entry + 2] = full[4 * entry];
  }
  return triples;
}

Error EmptyImageError(int width, int height) {
  return Error{.title = kExportTitle,
               .text = "An image without pixels cannot be saved as PNG",
               .detail = "the image is " + std::to_string(width) + " x " + std::to_string(height) + " pixels"};
}

// Rows of `channels` bytes per pixel: red, green, blue, then alpha when there are four.
Result<std::vector<std::uint8_t>> EncodeTrueColorPng(const Image& image, bool withAlpha) {
  if (image.Width <= 0 || image.Height <= 0) return EmptyImageError(image.Width, image.Height);
  const std::size_t channels = withAlpha ? 4 : 3;
  std::vector<std::uint8_t> bytes;
  bytes.reserve(image.Pixels.size() * channels);
  for (const Argb pixel : image.Pixels) {
    bytes.insert(bytes.end(), {static_cast<std::uint8_t>(pixel >> 16), static_cast<std::uint8_t>(pixel >> 8),
                               static_cast<std::uint8_t>(pixel)});
    if (withAlpha) bytes.push_back(static_cast<std::uint8_t>(pixel >> 24));
  }
  const std::size_t rowSize = channels * static_cast<std::size_t>(image.Width);
  bytes.resize(rowSize * static_cast<std::size_t>(image.Height), 0);
  PngRows rows{.Width = static_cast<std::uint32_t>(image.Width),
               .Height = static_cast<std::uint32_t>(image.Height),
               .Layout = withAlpha ? PngRows::Kind::Rgba : PngRows::Kind::Rgb,
               .Palette = {},
               .Alpha = {},
               .Rows = {}};
  for (int row = 0; row < image.Height; ++row) rows.Rows.push_back(bytes.data() + row * rowSize);
  return WritePngRows(rows, kExportTitle);
}

}  // namespace

Result<std::vector<std::uint8_t>> EncodeIndexedPng(const SprHeader& header, const SprFrame& frame) {
  if (frame.Width <= 0 || frame.Height <= 0) return EmptyImageError(frame.Width, frame.Height);
  const std::size_t stride = static_cast<std::size_t>(RowStride(frame.Width));
  // A frame whose Pixels falls short of its size reads as 0 past the end.
  std::vector<std::uint8_t> stored(stride * static_cast<std::size_t>(frame.Height), 0);
  std::copy_n(frame.Pixels.begin(), std::min(stored.size(), frame.Pixels.size()), stored.begin());

  const auto palette = RgbPalette(header.Palette);
  constexpr std::array<std::uint8_t, 1> kIndexZeroTransparent{0};
  PngRows rows{.Width = static_cast<std::uint32_t>(frame.Width),
               .Height = static_cast<std::uint32_t>(frame.Height),
               .Layout = PngRows::Kind::Indexed,
               .Palette = palette,
               .Alpha = kIndexZeroTransparent,
               .Rows = {}};
  for (int row = frame.Height - 1; row >= 0; --row) rows.Rows.push_back(stored.data() + row * stride);
  return WritePngRows(rows, kExportTitle);
}

Status WriteIndexedPng(const SprHeader& header, const SprFrame& frame, const std::filesystem::path& path) {
  auto bytes = EncodeIndexedPng(header, frame);
  if (!bytes) return bytes.error();
  return WriteFileAtomically(path, *bytes, kExportTitle);
}

Result<std::vector<std::uint8_t>> EncodeRgbPng(const Image& image) { return EncodeTrueColorPng(image, false); }

Status WriteRgbPng(const Image& image, const std::filesystem::path& path) {
  auto bytes = EncodeRgbPng(image);
  if (!bytes) return bytes.error();
  return WriteFileAtomically(path, *bytes, kExportTitle);
}

Result<std::vector<std::uint8_t>> EncodeRgbaPng(const Image& image) { return EncodeTrueColorPng(image, true); }

}  // namespace tessaloom::Converter_Png
