#pragma once
// Action files (.act): the animations that place sprite frames as layers.
//
// The layout depends on the whole version word (byte 2 minor, byte 3 major).
// All numbers little-endian, all integers signed 32-bit unless noted.
//
//   header   16  "AC", minor, major, int16 action count, 10 reserved
//   action       clip count, then the clips
//   clip         32 reserved, layer count, the layers, then from 2.0 the event
//                index (-1 for none), from 2.3 an anchor count and that many
//                16-byte anchors (unknown, x, y, attribute)
//   layer        x, y, sprite index, mirror flag                 16 bytes
//                from 2.0: red, green, blue, alpha (bytes), scale x (float)
//                from 2.4: scale y
//                from 2.0: rotation (degrees), sprite type       32 / 36 bytes
//                from 2.5: width, height                         44 bytes
//   trailer      from 2.1: event count and that many 40-byte zero-padded names
//                from 2.2: one float per action, its frame interval
//
// Reading is all-or-nothing: any malformed or truncated part of the actions gives
// an error and no data. Only the two trailing sections may be cut short; a file
// that ends there loads with the whole names and intervals it holds.

#include <cstdint>
#include <filesystem>
#include <span>

#include "core/actions/act_data.h"
#include "core/common/result.h"

namespace tessaloom::Tool_Act {

inline constexpr const char* kFileErrorTitle = "File Error";
inline constexpr const char* kFileErrorText = "It was an error trying to open the file";

// Parses a whole action file image. The error's detail says what is wrong and its
// offset where.
Result<ActData> ParseActFile(std::span<const std::uint8_t> bytes);

// Reads and parses the file at `path`; the error's detail also names the file.
Result<ActData> ReadActFile(const std::filesystem::path& path);

}  // namespace tessaloom::Tool_Act
