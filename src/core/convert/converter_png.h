#pragma once
// PNG images through libpng: a frame as an 8-bit indexed PNG with the sprite's
// palette (index 0 transparent), the renderer's canvas as an 8-bit RGB PNG, and
// pictures with alpha as 8-bit RGBA PNGs.
//
// Indexed PNG: IHDR Width x Height, depth 8, colour type 3 | PLTE 256 x (red, green,
// blue) | tRNS 00 (entry 0 fully transparent, the rest opaque) | IDAT rows top-down.

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "core/common/result.h"
#include "core/common/image.h"
#include "core/sprite/spr_document.h"

namespace tessaloom::Converter_Png {

// Exactly Width x Height; a frame with no pixels cannot be a PNG and is refused.
Result<std::vector<std::uint8_t>> EncodeIndexedPng(const SprHeader& header, const SprFrame& frame);
Status WriteIndexedPng(const SprHeader& header, const SprFrame& frame, const std::filesystem::path& path);

Result<std::vector<std::uint8_t>> EncodeRgbPng(const Image& image);
Status WriteRgbPng(const Image& image, const std::filesystem::path& path);

// An image whose pixels carry straight (not premultiplied) alpha in their top byte,
// as an 8-bit RGBA PNG.
Result<std::vector<std::uint8_t>> EncodeRgbaPng(const Image& image);

}  // namespace tessaloom::Converter_Png
