#pragma once
// Checks of the sprite reader and of a save-and-reload round trip, run by the fuzz
// targets "sprite" and "roundtrip" and by the regression test.
//
// What a round trip must keep is what a sprite file can carry: the palette, the two
// reserved header bytes, the bytes between the frames and the palette, and for every
// frame its size and its Width x Height pixels as every consumer reads them. A code
// that expands to more (or fewer) pixels than the frame's size is read as it stands;
// the file written for it holds exactly Width x Height pixels, so such extra bytes
// are not part of the picture and are not compared. Compressed, DataSize and
// FrameNumber describe the file a frame came from and change with it. The 32-bit
// colour frames come from the header's bytes and the data after the frames; a file
// written is version 2.1, so a file of an older version may gain some, never lose them.

#include <algorithm>

#include "core/sprite/spr_reader.h"
#include "core/sprite/spr_writer.h"
#include "fuzz/check_types.h"

namespace tessaloom::fuzz {

// A frame's picture as the writers and the renderer read it: Height rows of Width
// indices taken at RowStride(Width) from the bottom-up rows, missing bytes as 0.
inline std::vector<std::uint8_t> VisiblePixels(const SprFrame& frame) {
  const std::size_t width = static_cast<std::size_t>(std::max<int>(frame.Width, 0));
  const std::size_t height = static_cast<std::size_t>(std::max<int>(frame.Height, 0));
  const std::size_t stride = static_cast<std::size_t>(RowStride(static_cast<int>(width)));
  std::vector<std::uint8_t> picture(width * height, 0);
  for (std::size_t row = 0; row < height && row * stride < frame.Pixels.size(); ++row) {
    const std::size_t present = std::min(width, frame.Pixels.size() - row * stride);
    std::copy_n(frame.Pixels.begin() + static_cast<std::ptrdiff_t>(row * stride), present,
                picture.begin() + static_cast<std::ptrdiff_t>(row * width));
  }
  return picture;
}

// Which refusal a short file or a wrong magic earns, and what a good file reads as,
// is checked in the unit tests.
inline Problem CheckSprite(Input input) {
  const auto loaded = Tool_Spr::ParseSprite(input);
  if (!loaded) return CheckRefusal(loaded.error(), Tool_Spr::kOpenErrorTitle);
  return std::nullopt;
}

// The writer may refuse a loaded sprite only for a frame whose code could pass 32767
// bytes. A pixel costs at most 1.5 bytes of code (a lone 0 takes a pair), so a frame
// of at most 16383 pixels always fits.
inline Problem CheckSaveRefusal(const SprDocument& document, const Error& error) {
  for (const SprFrame& frame : document.Frames) {
    if (static_cast<long>(frame.Width) * frame.Height > 16383) return std::nullopt;
  }
  return "a loaded sprite with small frames is refused by the writer: " + error.text;
}

inline Problem CompareDocuments(const SprDocument& first, const SprDocument& again) {
  if (first.Header.Palette != again.Header.Palette) return std::string("the palette changes");
  if (first.Header.Reserved != again.Header.Reserved) return std::string("the reserved header bytes change");
  if (first.Header.TrailingData != again.Header.TrailingData) return std::string("the data after the frames changes");
  if (!first.RgbaFrames.empty() && first.RgbaFrames != again.RgbaFrames) {
    return std::string("the 32-bit colour frames change");
  }
  if (first.Frames.size() != again.Frames.size()) return std::string("the frame count changes");
  for (std::size_t i = 0; i < first.Frames.size(); ++i) {
    const SprFrame& before = first.Frames[i];
    const SprFrame& after = again.Frames[i];
    const std::string which = "frame " + std::to_string(i + 1);
    if (before.Width != after.Width || before.Height != after.Height) return which + " changes size";
    if (VisiblePixels(before) != VisiblePixels(after)) return which + " changes its pixels";
  }
  return std::nullopt;
}

// Load; when that works, save, load again and compare; then save the reloaded
// document, which must give the very same file.
inline Problem CheckRoundTrip(Input input) {
  const auto loaded = Tool_Spr::ParseSprite(input);
  if (!loaded) return std::nullopt;
  const auto saved = Tool_Spr::SerializeSprite(loaded->Document);
  if (!saved) return CheckSaveRefusal(loaded->Document, saved.error());
  const auto reloaded = Tool_Spr::ParseSprite(*saved);
  if (!reloaded) return "a saved sprite does not load: " + reloaded.error().text;
  if (reloaded->Warning) return std::string("a saved sprite loads with a decoding notice");
  if (auto problem = CompareDocuments(loaded->Document, reloaded->Document)) return problem;
  const auto savedAgain = Tool_Spr::SerializeSprite(reloaded->Document);
  if (!savedAgain || *savedAgain != *saved) return std::string("saving the reloaded sprite writes other bytes");
  return std::nullopt;
}

}  // namespace tessaloom::fuzz
