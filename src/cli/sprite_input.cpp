#include "cli/sprite_input.h"

#include <ostream>

#include "core/sprite/spr_reader.h"

namespace tessaloom::cli {

Result<SprDocument> LoadSpriteFile(Console& console, const std::filesystem::path& path) {
  auto loaded = Tool_Spr::LoadSprite(path);
  if (!loaded) return loaded.error();
  if (loaded->Warning) {
    const Error& notice = *loaded->Warning;
    console.err << "tessaloom-cli: " << notice.title << ": " << notice.text;
    if (!notice.detail.empty()) console.err << " (" << notice.detail << ")";
    console.err << '\n';
  }
  return std::move(loaded->Document);
}

}  // namespace tessaloom::cli
