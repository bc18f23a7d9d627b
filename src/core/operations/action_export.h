#pragma once
// One action of an action file as an animation, drawn the game's way (Preview Mode's
// rules) on a transparent canvas: a looping GIF with one frame per clip, or one RGBA
// PNG per clip. Both the main window (Actions > Export) and tessaloom-cli
// export-action call it.

#include <cstdint>
#include <filesystem>
#include <vector>

#include "core/actions/act_data.h"
#include "core/common/image.h"
#include "core/common/result.h"
#include "core/sprite/spr_document.h"

namespace tessaloom {

enum class ActionExportFormat { AnimatedGif, PngFrames };

inline constexpr const char* kActionExportTitle = "Export error";

// Every clip of action `action` (0-based) composed at scale zoomStep - 2 on a
// transparent canvas, cropped to the smallest rectangle that holds every pixel with
// alpha above 0 of every clip, the origin at the same place in each. Pixels carry
// straight alpha (0xAARRGGBB). Fails when the action is not in the file, has no clips
// or draws no pixel, and when the rectangle would be over 16384 pixels a side.
Result<std::vector<Image>> ComposeAction(const SprDocument& sprite, const ActData& act, int action, int zoomStep);

// The GIF delay of a frame interval (units of 25 ms) in hundredths of a second:
// rounded to nearest, halves up, at least 2 and at most 65535.
std::uint16_t GifDelay(float interval);

// The palette index of a composed pixel: 0 when its alpha is below 128, else the
// nearest colour among entries 1 to 255 (squared RGB distance, the lowest index on a tie).
std::uint8_t NearestPaletteIndex(Argb pixel, const std::vector<std::uint8_t>& palette);

// The files of the action, in memory: the one GIF, or one RGBA PNG per clip with full
// alpha. Fails as ComposeAction does, and for a GIF when the sprite has no palette.
Result<std::vector<std::vector<std::uint8_t>>> EncodeAction(const SprDocument& sprite, const ActData& act,
                                                            int action, int zoomStep, ActionExportFormat format);

// Writes the action: the animated GIF at `path`, or the PNG frames at the numbered
// names of `path` (NumberedFileName). All or nothing; errors carry kActionExportTitle.
Status ExportAction(const SprDocument& sprite, const ActData& act, int action, int zoomStep,
                    ActionExportFormat format, const std::filesystem::path& path);

}  // namespace tessaloom
