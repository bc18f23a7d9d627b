#pragma once
// The export formats as the command line names them, and the coding --compact asks
// for, shared by `export` and `convert`.

#include <map>
#include <optional>
#include <string>

#include "core/operations/sprite_operations.h"

namespace tessaloom::cli {

inline const std::map<std::string, ExportFormat> kExportFormats{
    {"bmp", ExportFormat::Bmp},          {"gif", ExportFormat::Gif},
    {"gif87", ExportFormat::Gif87},      {"png", ExportFormat::Png},
    {"anim", ExportFormat::AnimatedGif}, {"anim87", ExportFormat::AnimatedGif87}};

inline constexpr const char* kCompactRefusal = "tessaloom-cli: --compact only goes with gif, gif87, anim and anim87";

// The coding of `format` with or without --compact; none when --compact is asked of a
// format that is not a GIF.
inline std::optional<Converter_Gif::GifCoding> ChosenCoding(ExportFormat format, bool compact) {
  if (!compact) return Converter_Gif::GifCoding::Plain;
  if (ExportExtension(format) != ".gif") return std::nullopt;
  return Converter_Gif::GifCoding::Compact;
}

}  // namespace tessaloom::cli
