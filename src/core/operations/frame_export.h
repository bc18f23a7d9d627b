#pragma once
// Exporting a sprite's frames, as both the main window and tessaloom-cli offer it: one
// frame as a bitmap, a still GIF or a PNG; every frame, one numbered file each; or
// every frame as one looping GIF.

#include <filesystem>
#include <functional>
#include <string>

#include "core/common/result.h"
#include "core/sprite/spr_document.h"

namespace tessaloom {

enum class ExportFormat { Bmp, Gif, Gif87, Png, AnimatedGif, AnimatedGif87 };

inline constexpr const char* kExportErrorTitle = "Export error";

// True for the formats that put every frame into one file.
bool IsAnimated(ExportFormat format);

// The file extension of the format, with its dot: ".bmp", ".gif" or ".png".
std::string ExportExtension(ExportFormat format);

// Writes frame `number` (1-based) to `path` in a still format.
Status ExportFrame(const SprDocument& sprite, int number, ExportFormat format,
                   const std::filesystem::path& path);

// A still format writes every frame to its numbered file (NumberedFileName of `path`);
// an animated one writes one looping GIF at `path`. `beforeEachFrame` runs before
// each frame is coded (the main window lets its events run there). All or nothing: on a failure no file the user had is changed
// and none is left behind.
Status ExportAllFrames(const SprDocument& sprite, ExportFormat format, const std::filesystem::path& path,
                       const std::function<void()>& beforeEachFrame = {});

}  // namespace tessaloom
