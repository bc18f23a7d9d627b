#pragma once
// Background pictures: a PNG or BMP file decoded into an image to draw behind the
// sprite.

#include <cstdint>
#include <filesystem>
#include <span>

#include "core/common/image.h"
#include "core/common/result.h"

namespace tessaloom::Converter_Png {

// A PNG of any kind (an alpha channel is composed onto black), an 8-bit bitmap
// through its colour table, or an uncompressed 24- or 32-bit bitmap. Anything else is
// an Error titled "Background error".
Result<Image> DecodePicture(std::span<const std::uint8_t> bytes);
Result<Image> LoadPicture(const std::filesystem::path& path);

}  // namespace tessaloom::Converter_Png
