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

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <vector>

#include "core/common/result.h"
#include "core/sprite/spr_document.h"

namespace tessaloom::Converter_Gif {

// A still picture `Width` x `Height`: GIF89a with palette index 0 transparent when
// `transparent`, else GIF87a without extension.
std::vector<std::uint8_t> EncodeGif(const SprHeader& header, const SprFrame& frame, bool transparent);

// Runs before each frame of an animation is coded; returning false stops the coding,
// which then fails with kCancelledText.
using FrameCallback = std::function<bool()>;
inline constexpr const char* kCancelledText = "The export was cancelled.";

// Every frame, one second each, looping forever. A frame is as wide as its stored
// rows (its width rounded up to a multiple of 4 in a normal frame), padding included.
// `beforeEachFrame` runs once before each frame is coded. Refused without a palette.
Result<std::vector<std::uint8_t>> EncodeAnimatedGif(const SprHeader& header, std::span<const SprFrame> frames,
                                                    bool transparent,
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

Status WriteGif(const SprHeader& header, const SprFrame& frame, const std::filesystem::path& path,
                bool transparent);
Status WriteAnimatedGif(const SprHeader& header, std::span<const SprFrame> frames,
                        const std::filesystem::path& path, bool transparent,
                        const FrameCallback& beforeEachFrame = {});

}  // namespace tessaloom::Converter_Gif
