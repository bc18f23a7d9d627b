#pragma once
// Exporting every frame of a sprite file straight from the file, as `export --all`,
// the animated formats and the batch conversion do: the same files ExportAllFrames
// writes for the loaded sprite, all or nothing.

#include <filesystem>
#include <optional>
#include <vector>

#include "core/common/result.h"
#include "core/operations/sprite_operations.h"

namespace tessaloom {

struct FileExport {
  std::vector<std::filesystem::path> Outputs;  // the files written, in frame order
  std::optional<Error> Warning;                // the load's notice (Tool_Spr::LoadedSprite::Warning)
};

Result<FileExport> ExportSpriteFile(const std::filesystem::path& sprite, ExportFormat format,
                                    const std::filesystem::path& output, const ExportOptions& options = {});

}  // namespace tessaloom
