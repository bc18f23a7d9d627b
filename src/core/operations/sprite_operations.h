#pragma once
// What both the main window and tessaloom-cli do to a sprite, one call each:
// exporting one frame as a bitmap, a still GIF or a PNG; every frame, one numbered
// file each ("hero.gif" gives "hero-01.gif", "hero-02.gif"…) or one looping GIF; and
// adding an 8-bit bitmap as a new frame.

#include <filesystem>
#include <functional>
#include <string>

#include "core/common/result.h"
#include "core/convert/converter_bmp.h"
#include "core/convert/converter_gif.h"
#include "core/sprite/spr_document.h"

namespace tessaloom {

enum class ExportFormat { Bmp, Gif, Gif87, Png, AnimatedGif, AnimatedGif87 };

inline constexpr const char* kExportErrorTitle = "Export error";

// How an export codes its files. `BeforeEachFrame` runs before each frame is coded
// (the main window lets its events run and shows the progress there); when it returns
// false the export stops and fails with Converter_Gif::kCancelledText.
struct ExportOptions {
  Converter_Gif::GifCoding Coding = Converter_Gif::GifCoding::Plain;
  Converter_Gif::FrameCallback BeforeEachFrame;
};

// True for the formats that put every frame into one file.
bool IsAnimated(ExportFormat format);

// The file extension of the format, with its dot: ".bmp", ".gif" or ".png".
std::string ExportExtension(ExportFormat format);

// Writes frame `number` (1-based) to `path` in a still format. The 32-bit colour
// frames are numbered after the indexed ones; only PNG holds them (with their alpha).
Status ExportFrame(const SprDocument& sprite, int number, ExportFormat format,
                   const std::filesystem::path& path, const ExportOptions& options = {});

// A still format writes every frame to its numbered file (NumberedFileName of `path`),
// PNG the 32-bit colour frames too, numbered on; an animated one writes one looping
// GIF of the indexed frames at `path`. All or nothing: on a failure no file the user
// had is changed and none is left behind.
Status ExportAllFrames(const SprDocument& sprite, ExportFormat format, const std::filesystem::path& path,
                       const ExportOptions& options = {});

// The name of frame `number` (1-based): `chosen` without its extension, if it has one,
// then "-", the number with at least two digits, and `extension` (with its dot).
std::filesystem::path NumberedFileName(const std::filesystem::path& chosen, int number,
                                       const std::string& extension);

// Inserts `bitmap` as a frame after the 1-based frame `after` (0 puts it first), with
// Tool_Spr::InsertFrame's rules for the position and the number of frames. The
// bitmap's pixels are indices into the sprite's palette; a sprite without a palette
// takes the bitmap's colour table. On an error the sprite is unchanged.
Status InsertBitmapFrame(SprDocument& sprite, int after, Converter_Bmp::BmpImage bitmap);

}  // namespace tessaloom
