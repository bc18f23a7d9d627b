#pragma once
// Writing sprite files (.spr). A saved file is always run-length coded:
//
//   0  "SP", 1 (version minor: coded frames), 2 (version major)
//   4  frame count, 16 bits
//   6  Header.Reserved (0, 0 in a new document)
//   8  per frame: width int16, height int16, code length n int16, n bytes of code (rle.h)
//   .. Header.TrailingData, as read
//   .. palette, 1024 bytes: 256 entries of red, green, blue, 0 (missing entries black)
//
// The format's fields are signed 16-bit, so a document that does not fit them is
// refused rather than written wrongly.

#include <cstdint>
#include <filesystem>
#include <vector>

#include "core/common/result.h"
#include "core/sprite/spr_document.h"

namespace tessaloom::Tool_Spr {

inline constexpr const char* kSaveErrorTitle = "Save error";

// The file image of `document`; the frame count written is the number of Frames.
Result<std::vector<std::uint8_t>> SerializeSprite(const SprDocument& document);

// Writes the file image atomically: on any failure an existing file stays as it was.
Status SaveSprite(const std::filesystem::path& path, const SprDocument& document);

}  // namespace tessaloom::Tool_Spr
