#include "core/operations/file_export.h"

#include "core/sprite/spr_reader.h"

namespace tessaloom {

Result<FileExport> ExportSpriteFile(const std::filesystem::path& sprite, ExportFormat format,
                                    const std::filesystem::path& output, const ExportOptions& options) {
  auto loaded = Tool_Spr::LoadSprite(sprite);
  if (!loaded) return loaded.error();
  const SprDocument& document = loaded->Document;
  if (Status exported = ExportAllFrames(document, format, output, options); !exported) return exported.error();
  FileExport result{.Outputs = {}, .Warning = loaded->Warning};
  if (IsAnimated(format)) {
    result.Outputs.push_back(output);
    return result;
  }
  const std::size_t count = document.Frames.size() + (format == ExportFormat::Png ? document.RgbaFrames.size() : 0);
  for (std::size_t i = 0; i < count; ++i) {
    result.Outputs.push_back(NumberedFileName(output, static_cast<int>(i) + 1, ExportExtension(format)));
  }
  return result;
}

}  // namespace tessaloom
