#include "core/operations/action_export.h"

namespace tessaloom {

// Placeholders until the action export lands.
Result<std::vector<Image>> ComposeAction(const SprDocument&, const ActData&, int, int) {
  return Error{.title = kActionExportTitle, .text = "Not built yet"};
}

std::uint16_t GifDelay(float) { return 2; }

std::uint8_t NearestPaletteIndex(Argb, const std::vector<std::uint8_t>&) { return 0; }

Status ExportAction(const SprDocument&, const ActData&, int, int, ActionExportFormat, const std::filesystem::path&) {
  return Error{.title = kActionExportTitle, .text = "Not built yet"};
}

}  // namespace tessaloom
