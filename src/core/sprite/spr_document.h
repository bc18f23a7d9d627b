#pragma once
// The one open sprite: its header with the palette, and its indexed frames.
//
// Palette entries in memory are 4 bytes: blue, green, red, 0 (a bitmap colour table).
// Every frame's Pixels holds palette indices in bottom-up rows, each row padded with
// zeros to RowStride(Width) bytes, the layout of an 8-bit bottom-up bitmap. Newer files
// also carry 32-bit colour frames, decoded into RgbaFrames; their bytes stay in the
// header's TrailingData, which is what saving writes.

#include <array>
#include <cstdint>
#include <vector>

namespace tessaloom {

inline constexpr int kPaletteEntries = 256;
inline constexpr int kPaletteBytes = 1024;
inline constexpr int kMaxFrames = 32767;   // the frame count is a signed 16-bit field
inline constexpr int kMaxDimension = 32767;

struct SprHeader {
  std::int16_t Compressed = 0;     // 1 when the file's frames were run-length coded
  std::int16_t FrameCount = 0;     // always equals the number of Frames
  std::vector<std::uint8_t> Palette;  // 1024 bytes, or empty when there is none
  // What the reader does not interpret, kept so that saving loses nothing: the two
  // bytes at offset 6 (in newer files the count of 32-bit colour frames) and every
  // byte between the last indexed frame and the palette (those frames).
  std::array<std::uint8_t, 2> Reserved{};
  std::vector<std::uint8_t> TrailingData;

  bool operator==(const SprHeader&) const = default;
};

struct SprFrame {
  std::int16_t Width = 0;
  std::int16_t Height = 0;
  std::int32_t DataSize = 0;     // bytes of pixel data in the file it came from; informational
  std::int16_t FrameNumber = 0;  // 1-based position, informational
  std::vector<std::uint8_t> Pixels;

  bool operator==(const SprFrame&) const = default;
};

// A 32-bit colour frame: Width x Height pixels 0xAARRGGBB with straight (not
// premultiplied) alpha, rows top-down with no padding.
struct SprRgbaFrame {
  std::int16_t Width = 0;
  std::int16_t Height = 0;
  std::vector<std::uint32_t> Pixels;

  bool operator==(const SprRgbaFrame&) const = default;
};

struct SprDocument {
  SprHeader Header;
  std::vector<SprFrame> Frames;
  // Decoded from Header.TrailingData when the file's version is 2.0 or later and every
  // counted frame fits before the palette; read-only: no command edits them.
  std::vector<SprRgbaFrame> RgbaFrames;

  bool operator==(const SprDocument&) const = default;
};

// Bytes per stored row: the width rounded up to a multiple of 4.
constexpr int RowStride(int width) { return width + ((4 - width % 4) % 4); }

}  // namespace tessaloom
