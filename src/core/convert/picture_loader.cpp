// Background pictures: PNG through libpng, BMP through the bitmap layout reader.
#include "core/convert/picture_loader.h"

#include <algorithm>
#include <array>

#include "core/common/file_io.h"
#include "core/convert/bmp_layout.h"
#include "core/convert/converter_bmp.h"
#include "core/convert/png_codec.h"

namespace tessaloom::Converter_Png {
namespace {

constexpr char kBackgroundTitle[] = "Background error";
// About 8192 x 8192: far beyond any canvas, and a bound on what a small file can make us allocate.
constexpr std::size_t kMaxPicturePixels = std::size_t{1} << 26;
// Deflate expands at most about 1032 times, and a pixel takes at least one bit.
constexpr std::size_t kMaxPixelsPerPngByte = 8 * 1032;

constexpr Argb Opaque(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return 0xFF000000u | (Argb{red} << 16) | (Argb{green} << 8) | blue;
}

std::uint8_t OverBlack(std::uint8_t value, std::uint8_t alpha) {
  return static_cast<std::uint8_t>((value * alpha + 127) / 255);
}

Result<Image> DecodePng(std::span<const std::uint8_t> bytes) {
  const std::size_t limit = std::min(kMaxPicturePixels, bytes.size() * kMaxPixelsPerPngByte);
  auto png = ReadPngBgra(bytes, limit, kBackgroundTitle);
  if (!png) return png.error();
  Image image(static_cast<int>(png->Width), static_cast<int>(png->Height));
  for (std::size_t i = 0; i < image.Pixels.size(); ++i) {
    const std::uint8_t* bgra = &png->Bgra[4 * i];
    image.Pixels[i] = Opaque(OverBlack(bgra[2], bgra[3]), OverBlack(bgra[1], bgra[3]), OverBlack(bgra[0], bgra[3]));
  }
  return image;
}

Result<Image> DecodeIndexedBmp(std::span<const std::uint8_t> bytes) {
  auto bmp = Converter_Bmp::ParseBmp(bytes);
  if (!bmp) return bmp.error();
  const auto& table = bmp->ColorTable;
  const std::size_t stride = static_cast<std::size_t>(RowStride(bmp->Width));
  Image image(bmp->Width, bmp->Height);
  for (int y = 0; y < image.Height; ++y) {
    const std::uint8_t* row = bmp->Pixels.data() + static_cast<std::size_t>(image.Height - 1 - y) * stride;
    for (int x = 0; x < image.Width; ++x) {
      const std::size_t entry = 4 * std::size_t{row[x]};
      image.At(x, y) = Opaque(table[entry + 2], table[entry + 1], table[entry]);
    }
  }
  return image;
}

// 24 bits: blue, green, red per pixel; 32 bits: blue, green, red, unused.
Result<Image> DecodeTrueColorBmp(const Converter_Bmp::BmpHeaders& headers, std::span<const std::uint8_t> bytes) {
  auto layout = Converter_Bmp::LocateBmpData(headers, bytes);
  if (!layout) return layout.error();
  const std::size_t pixelSize = static_cast<std::size_t>(layout->BitsPerPixel / 8);
  Image image(layout->Width, layout->Height);
  for (int y = 0; y < image.Height; ++y) {
    const auto row = Converter_Bmp::BmpImageRow(*layout, bytes, y);
    for (int x = 0; x < image.Width; ++x) {
      const std::uint8_t* pixel = &row[static_cast<std::size_t>(x) * pixelSize];
      image.At(x, y) = Opaque(pixel[2], pixel[1], pixel[0]);
    }
  }
  return image;
}

Result<Image> DecodeBmp(std::span<const std::uint8_t> bytes) {
  auto headers = Converter_Bmp::ReadBmpHeaders(bytes);
  if (!headers) return headers.error();
  switch (headers->BitsPerPixel) {
    case 8: return DecodeIndexedBmp(bytes);
    case 24:
    case 32: return DecodeTrueColorBmp(*headers, bytes);
    default:
      return Error{.title = kBackgroundTitle,
                   .text = "Only 8-, 24- and 32-bit bitmaps can be used as a background",
                   .detail = std::to_string(headers->BitsPerPixel) + " bits per pixel",
                   .offset = 28};
  }
}

bool StartsWith(std::span<const std::uint8_t> bytes, std::span<const std::uint8_t> prefix) {
  return bytes.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), bytes.begin());
}

}  // namespace

Result<Image> DecodePicture(std::span<const std::uint8_t> bytes) {
  constexpr std::array<std::uint8_t, 2> kBmpSignature{'B', 'M'};
  Result<Image> image = Error{.title = kBackgroundTitle,
                              .text = "The background picture is neither a PNG nor a BMP image",
                              .detail = "unknown signature"};
  if (StartsWith(bytes, kPngSignature)) image = DecodePng(bytes);
  if (StartsWith(bytes, kBmpSignature)) image = DecodeBmp(bytes);
  if (image) return image;
  Error error = image.error();
  error.title = kBackgroundTitle;  // bitmap errors come titled for the frame reader
  return error;
}

Result<Image> LoadPicture(const std::filesystem::path& path) {
  auto bytes = ReadWholeFile(path, kBackgroundTitle);
  if (!bytes) return bytes.error();
  auto image = DecodePicture(*bytes);
  if (image) return image;
  Error error = image.error();
  error.detail = DisplayName(path) + ": " + error.detail;
  return error;
}

}  // namespace tessaloom::Converter_Png
