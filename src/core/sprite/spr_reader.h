#pragma once
// Reading sprite files (.spr). Little-endian throughout:
//
//   0  "SP"
//   2  version minor: non-zero -> frames run-length coded, 0 -> raw frames
//   3  version major
//   4  frame count, int16
//   6  from version 2.0 on, the count of 32-bit colour frames (kept in Header.Reserved)
//   8  frame records, back to back:
//        coded: width int16, height int16, byte count n int16, n bytes of code (rle.h)
//        raw:   width int16, height int16, width x height bytes, rows top-down
//   .. bytes kept in Header.TrailingData: from version 2.0 on, the 32-bit colour frames
//      (rgba_frames.h), decoded into RgbaFrames when every counted one fits here
//   file length - 1024: palette, 256 entries of red, green, blue, x
//
// Every frame in memory gets the same layout, raw ones included: bottom-up rows of
// RowStride(Width) bytes. A load is all or nothing: a document is returned only when
// the whole file was read.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>

#include "core/common/result.h"
#include "core/sprite/spr_document.h"

namespace tessaloom::Tool_Spr {

inline constexpr const char* kOpenErrorTitle = "Open error";
inline constexpr const char* kNotASpriteText = "It's not a sprite format";
inline constexpr const char* kDecodeWarningTitle = "Error decoding";
inline constexpr const char* kDecodeWarningText = "Cannot decode image correctly";

struct LoadedSprite {
  SprDocument Document;
  // Set when coded frames ended in a 0 without its count: those frames are left empty
  // and the rest loaded. One notice per load; its detail lists the frames.
  std::optional<Error> Warning;
};

Result<LoadedSprite> ParseSprite(std::span<const std::uint8_t> bytes);

// Reads and parses the file; errors name the file.
Result<LoadedSprite> LoadSprite(const std::filesystem::path& path);

}  // namespace tessaloom::Tool_Spr
