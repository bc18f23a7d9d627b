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
// FrameNumber describe the file a frame came from and change with it.

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "fuzz/check_types.h"
#include "core/sprite/spr_reader.h"
#include "core/sprite/spr_writer.h"

namespace tessaloom::fuzz {

// A frame's picture as the writers and the renderer read it: Height rows of Width
// indices taken at RowStride(Width) from the bottom-up rows, missing bytes as 0.
inline std::vector<std::uint8_t> VisiblePixels(const SprFrame& frame) {
  const std::size_t width = static_cast<std::size_t>(frame.Width > 0 ? frame.Width : 0);
  const std::size_t height = static_cast<std::size_t>(frame.Height > 0 ? frame.Height : 0);
  const std::size_t stride = static_cast<std::size_t>(RowStride(static_cast<int>(width)));
  std::vector<std::uint8_t> picture(width * height, 0);
  for (std::size_t row = 0; row < height && row * stride < frame.Pixels.size(); ++row) {
    const std::size_t present = std::min(width, frame.Pixels.size() - row * stride);
    std::copy_n(frame.Pixels.begin() + static_cast<std::ptrdiff_t>(row * stride), present,
                picture.begin() + static_cast<std::ptrdiff_t>(row * width));
  }
  return picture;
}

inline Problem CheckLoadedSprite(const SprDocument& document) {
  if (document.Header.FrameCount < 0 ||
      static_cast<std::size_t>(document.Header.FrameCount) != document.Frames.size()) {
    return "the frame count " + std::to_string(document.Header.FrameCount) + " differs from the " +
           std::to_string(document.Frames.size()) + " frames loaded";
  }
  if (document.Header.Palette.size() != static_cast<std::size_t>(kPaletteBytes)) {
    return "a loaded palette of " + std::to_string(document.Header.Palette.size()) + " bytes";
  }
  for (const SprFrame& frame : document.Frames) {
    if (frame.Width < 0 || frame.Height < 0) return std::string("a frame of negative size loaded");
  }
  return std::nullopt;
}

// The magic is looked at only once the palette has been read, so a file too short
// for a palette is never "not a sprite".
inline Problem CheckSpriteRefusal(Input input, const Error& error) {
  const bool paletteRead = input.size() >= static_cast<std::size_t>(kPaletteBytes);
  const bool wrongMagic = paletteRead && (input[0] != 'S' || input[1] != 'P');
  if (wrongMagic != (error.text == Tool_Spr::kNotASpriteText)) {
    return "the refusal \"" + error.text + "\" does not fit the file's size and magic";
  }
  return CheckRefusal(error, Tool_Spr::kOpenErrorTitle);
}

inline Problem CheckSprite(Input input) {
  const auto loaded = Tool_Spr::ParseSprite(input);
  if (!loaded) return CheckSpriteRefusal(input, loaded.error());
  if (input.size() < static_cast<std::size_t>(kPaletteBytes) || input[0] != 'S' || input[1] != 'P') {
    return std::string("a file without the magic or too short for a palette loads");
  }
  if (loaded->Warning && loaded->Warning->title != Tool_Spr::kDecodeWarningTitle) {
    return "a decoding notice titled \"" + loaded->Warning->title + "\"";
  }
  return CheckLoadedSprite(loaded->Document);
}

// The writer may refuse a loaded sprite only for a frame whose code could pass 32767
// bytes. A pixel costs at most 1.5 bytes of code (a lone 0 takes a pair), so a frame
// of at most 16383 pixels always fits.
inline Problem CheckSaveRefusal(const SprDocument& document, const Error& error) {
  constexpr long kPixelsThatAlwaysFit = 16383;
  for (const SprFrame& frame : document.Frames) {
    if (static_cast<long>(frame.Width) * frame.Height > kPixelsThatAlwaysFit) return std::nullopt;
  }
  return "a loaded sprite with small frames is refused by the writer: " + error.text;
}

inline Problem CompareFrames(const SprFrame& first, const SprFrame& again, std::size_t index) {
  const std::string which = "frame " + std::to_string(index + 1);
  if (first.Width != again.Width || first.Height != again.Height) {
    return which + " changes size from " + std::to_string(first.Width) + " x " + std::to_string(first.Height) +
           " to " + std::to_string(again.Width) + " x " + std::to_string(again.Height);
  }
  if (VisiblePixels(first) != VisiblePixels(again)) return which + " changes its pixels";
  const std::size_t stored = static_cast<std::size_t>(RowStride(again.Width)) * static_cast<std::size_t>(again.Height);
  if (again.Pixels.size() != stored) {
    return which + " of a saved file holds " + std::to_string(again.Pixels.size()) + " bytes instead of " +
           std::to_string(stored);
  }
  return std::nullopt;
}

inline Problem CompareDocuments(const SprDocument& first, const SprDocument& again) {
  if (first.Header.Palette != again.Header.Palette) return std::string("the palette changes");
  if (first.Header.Reserved != again.Header.Reserved) return std::string("the reserved header bytes change");
  if (first.Header.TrailingData != again.Header.TrailingData) return std::string("the data after the frames changes");
  if (again.Header.Compressed != 1) return std::string("a saved sprite does not read as run-length coded");
  if (first.Frames.size() != again.Frames.size()) {
    return "the frame count changes from " + std::to_string(first.Frames.size()) + " to " +
           std::to_string(again.Frames.size());
  }
  for (std::size_t i = 0; i < first.Frames.size(); ++i) {
    if (auto problem = CompareFrames(first.Frames[i], again.Frames[i], i)) return problem;
  }
  return std::nullopt;
}

// Load; when that works, save, load again and compare; then save the reloaded
// document, which must give the very same file.
inline Problem CheckRoundTrip(Input input) {
  const auto loaded = Tool_Spr::ParseSprite(input);
  if (!loaded) return std::nullopt;
  const SprDocument& first = loaded->Document;
  const auto saved = Tool_Spr::SerializeSprite(first);
  if (!saved) return CheckSaveRefusal(first, saved.error());

  const auto reloaded = Tool_Spr::ParseSprite(*saved);
  if (!reloaded) return "a saved sprite does not load: " + reloaded.error().text;
  if (reloaded->Warning) return std::string("a saved sprite loads with a decoding notice");
  if (auto problem = CompareDocuments(first, reloaded->Document)) return problem;

  const auto savedAgain = Tool_Spr::SerializeSprite(reloaded->Document);
  if (!savedAgain) return "a reloaded sprite cannot be saved: " + savedAgain.error().text;
  if (*savedAgain != *saved) return std::string("saving the reloaded sprite writes other bytes");
  return std::nullopt;
}

}  // namespace tessaloom::fuzz
