#pragma once
// Sprite frames as GIF files: a still picture of one frame, or one looping animation.
//
// Still:    "GIF89a" (transparent) or "GIF87a" | screen descriptor | colour table |
//           [graphic control 21 F9 04 09 0000 00 00, transparent only] |
//           image descriptor 2C 0000 0000 w h 07 | 08 | sub-blocks | 00 | 3B
// Animated: "GIF89a" | screen descriptor | colour table |
//           21 FF 0B "NETSCAPE2.0" 03 01 0000 00 (loop forever) |
//           per frame: 21 F9 04 09|08 delay 00 00 | image descriptor | 08 | sub-blocks | 00 |
//           3B
//           (09: restore to background, index 0 transparent; 08: restore, opaque. The
//           delay is in hundredths of a second: 100 for sprite frames, the action's
//           own for an exported action.)
// Screen descriptor: width, height, F7 (256-entry global table), 00, 00. The colour
// table is the palette's 256 entries as red, green, blue. Image data: see gif_lzw.h.
// Compact: the same blocks, with the colour table of gif_colour_table.h (F0 | its
// size bits - 1) and image data as in gif_lzw_compact.h; an animated frame is the
// rectangle of gif_frame_delta.h at its place, its graphic control
// 21 F9 04 04|05|08|09 delay t 00 (keep or restore, with or without transparent index t).

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "core/common/byte_sink.h"
#include "core/common/byte_writer.h"
#include "core/common/result.h"
#include "core/convert/gif_colour_table.h"
#include "core/convert/gif_frame_delta.h"
#include "core/convert/gif_lzw.h"
#include "core/sprite/spr_document.h"

namespace tessaloom::Converter_Gif {

// Plain: the restricted 9-bit code of gif_lzw.h, each animation frame whole, as
// described above. Compact: codes growing to 12 bits and, in an animation, only the
// part of each frame that changed; decoded, the same pictures as Plain.
enum class GifCoding { Plain, Compact };

// A still picture `Width` x `Height`: GIF89a with palette index 0 transparent when
// `transparent`, else GIF87a without extension.
std::vector<std::uint8_t> EncodeGif(const SprHeader& header, const SprFrame& frame, bool transparent,
                                    GifCoding coding = GifCoding::Plain);

// Runs before each frame of an animation is coded; returning false stops the coding,
// which then fails with kCancelledText.
using FrameCallback = std::function<bool()>;
inline constexpr const char* kCancelledText = "The export was cancelled.";

// Every frame, one second each, looping forever. A frame is as wide as its stored
// rows (its width rounded up to a multiple of 4 in a normal frame), padding included.
// `beforeEachFrame` runs once before each frame is coded. Refused without a palette.
Result<std::vector<std::uint8_t>> EncodeAnimatedGif(const SprHeader& header, std::span<const SprFrame> frames,
                                                    bool transparent, GifCoding coding = GifCoding::Plain,
                                                    const FrameCallback& beforeEachFrame = {});

// Pictures of palette indices shown `Delay` hundredths of a second each, looping
// forever, index 0 transparent: each `Width` x `Height`, rows bottom-up without
// padding. Refused without a palette or when a side is over 65535.
struct IndexedAnimation {
  int Width = 0;
  int Height = 0;
  std::uint16_t Delay = 0;
  std::vector<std::vector<std::uint8_t>> Frames;
};
Result<std::vector<std::uint8_t>> EncodeIndexedAnimation(const SprHeader& header, const IndexedAnimation& animation);

// An animation coded frame by frame: the bytes go to the sink as they are made, and
// only the frames the coding compares are held, so memory does not grow with the
// number of frames.
struct AnimationSettings {
  int Width = 0;   // the logical screen every image is placed on, at its top-left
  int Height = 0;
  bool Transparent = true;  // index 0 transparent, each frame restored to background after it
  std::uint16_t Delay = 100;  // hundredths of a second, every frame
  GifCoding Coding = GifCoding::Plain;
  UsedIndices Used = ~UsedIndices{};  // the palette indices the frames hold: Compact's colour table
};

class AnimationEncoder {
 public:
  // Writes the header. Refused without a palette or when a side is over 65535.
  static Result<AnimationEncoder> Start(const SprHeader& header, const AnimationSettings& settings, ByteSink sink);

  // The next frame, at most the screen's size.
  Status Add(const StoredImage& image);
  // Writes what is still held and the trailer.
  Status Finish();

 private:
  AnimationEncoder(const AnimationSettings& settings, ByteSink sink);
  Status Flush();
  void PutDeltaFrame(const DeltaFrame& frame);

  AnimationSettings m_settings;
  ByteSink m_sink;
  ByteWriter m_out;
  GifColourTable m_table;
  std::optional<GifFrameDelta> m_delta;  // Compact: the changed rectangles
};

Status WriteGif(const SprHeader& header, const SprFrame& frame, const std::filesystem::path& path,
                bool transparent, GifCoding coding = GifCoding::Plain);
Status WriteAnimatedGif(const SprHeader& header, std::span<const SprFrame> frames,
                        const std::filesystem::path& path, bool transparent);

// For a caller that reads the frames of an animation one at a time (a sprite file
// streamed): the refusal of frame `number` (1-based), whose stored rows are `stride`
// pixels wide, when it is wider than a GIF image.
Error FrameTooWideError(std::size_t number, std::size_t stride);
// The width an animation codes a frame's rows at: the smallest, not less than
// `width`, whose `height` rows hold all `pixelsLength` bytes of its pixels. A negative
// size counts as 0.
std::size_t AnimatedStride(int width, int height, std::size_t pixelsLength);

}  // namespace tessaloom::Converter_Gif
