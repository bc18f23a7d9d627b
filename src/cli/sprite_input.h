#pragma once
// Loading the sprite a command works on.

#include <filesystem>

#include "cli/commands.h"
#include "core/common/result.h"
#include "core/sprite/spr_document.h"

namespace tessaloom::cli {

// Loads the sprite at `path`. A decoding notice (a frame that could not be decoded
// and loads empty) is printed on stderr and the load still succeeds.
Result<SprDocument> LoadSpriteFile(Console& console, const std::filesystem::path& path);

}  // namespace tessaloom::cli
