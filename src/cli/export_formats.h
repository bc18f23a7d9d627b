#pragma once
// The export formats as the command line names them, for `export` and `convert`.

#include <map>
#include <string>

#include "core/operations/sprite_operations.h"

namespace tessaloom::cli {

inline const std::map<std::string, ExportFormat> kExportFormats{
    {"bmp", ExportFormat::Bmp},          {"gif", ExportFormat::Gif},
    {"gif87", ExportFormat::Gif87},      {"png", ExportFormat::Png},
    {"anim", ExportFormat::AnimatedGif}, {"anim87", ExportFormat::AnimatedGif87}};

}  // namespace tessaloom::cli
