#include "core/operations/sprite_operations.h"

#include <cassert>
#include <cstdint>
#include <utility>
#include <vector>

#include "core/common/file_io.h"
#include "core/sprite/spr_edit.h"
#include "core/convert/converter_bmp.h"
#include "core/convert/converter_gif.h"
#include "core/convert/converter_png.h"

namespace tessaloom {
namespace {

Result<std::vector<std::uint8_t>> EncodeStill(ExportFormat format, const SprHeader& header, const SprFrame& frame,
                                              Converter_Gif::GifCoding coding) {
  switch (format) {
    case ExportFormat::Bmp: return Converter_Bmp::SerializeBmp(header, frame);
    case ExportFormat::Gif: return Converter_Gif::EncodeGif(header, frame, true, coding);
    case ExportFormat::Gif87: return Converter_Gif::EncodeGif(header, frame, false, coding);
    case ExportFormat::Png: return Converter_Png::EncodeIndexedPng(header, frame);
    default: assert(!IsAnimated(format)); return Error{.title = kExportErrorTitle, .text = "Not a still format."};
  }
}

// Only PNG holds a 32-bit colour frame with its alpha.
Result<std::vector<std::uint8_t>> EncodeRgbaStill(ExportFormat format, const SprRgbaFrame& frame, int number) {
  if (format != ExportFormat::Png) {
    return Error{.title = kExportErrorTitle,
                 .text = "Frame " + std::to_string(number) + " is a 32-bit colour frame; only PNG can hold it."};
  }
  Image image(frame.Width, frame.Height);
  image.Pixels = frame.Pixels;
  return Converter_Png::EncodeRgbaPng(image);
}

// `number` counts the indexed frames first, then the 32-bit colour frames.
Status StageStill(StagedFiles& files, const SprDocument& sprite, int number, ExportFormat format,
                  const std::filesystem::path& path, Converter_Gif::GifCoding coding) {
  const auto indexed = static_cast<int>(sprite.Frames.size());
  auto bytes = number <= indexed
                   ? EncodeStill(format, sprite.Header, sprite.Frames[static_cast<std::size_t>(number - 1)], coding)
                   : EncodeRgbaStill(format, sprite.RgbaFrames[static_cast<std::size_t>(number - indexed - 1)], number);
  if (!bytes) return bytes.error();
  return files.Stage(path, *bytes, kExportErrorTitle);
}

Status StageAnimation(StagedFiles& files, const SprDocument& sprite, ExportFormat format,
                      const std::filesystem::path& path, const ExportOptions& options) {
  auto bytes = Converter_Gif::EncodeAnimatedGif(sprite.Header, sprite.Frames, format == ExportFormat::AnimatedGif,
                                                options.Coding, options.BeforeEachFrame);
  if (!bytes) return bytes.error();
  return files.Stage(path, *bytes, kExportErrorTitle);
}

}  // namespace

bool IsAnimated(ExportFormat format) {
  return format == ExportFormat::AnimatedGif || format == ExportFormat::AnimatedGif87;
}

std::string ExportExtension(ExportFormat format) {
  switch (format) {
    case ExportFormat::Bmp: return ".bmp";
    case ExportFormat::Png: return ".png";
    default: return ".gif";
  }
}

Status ExportFrame(const SprDocument& sprite, int number, ExportFormat format, const std::filesystem::path& path,
                   const ExportOptions& options) {
  const std::size_t count = sprite.Frames.size(), rgbaCount = sprite.RgbaFrames.size();
  if (number < 1 || static_cast<std::size_t>(number) > count + rgbaCount) {
    const std::string rgba = rgbaCount == 0 ? "" : " and " + std::to_string(rgbaCount) + " 32-bit colour frame(s)";
    return Error{.title = kExportErrorTitle,
                 .text = "The sprite has no frame " + std::to_string(number) + ".",
                 .detail = "It has " + std::to_string(count) + " frame(s)" + rgba + "."};
  }
  StagedFiles files;
  if (Status staged = StageStill(files, sprite, number, format, path, options.Coding); !staged) return staged;
  return files.Commit();
}

Status ExportAllFrames(const SprDocument& sprite, ExportFormat format, const std::filesystem::path& path,
                       const ExportOptions& options) {
  StagedFiles files;
  if (IsAnimated(format)) {
    if (Status staged = StageAnimation(files, sprite, format, path, options); !staged) return staged;
    return files.Commit();
  }
  const std::string extension = ExportExtension(format);
  // The 32-bit colour frames follow the indexed ones in the formats that can hold them.
  const std::size_t count = sprite.Frames.size() + (format == ExportFormat::Png ? sprite.RgbaFrames.size() : 0);
  for (std::size_t i = 0; i < count; ++i) {
    const int number = static_cast<int>(i) + 1;
    if (options.BeforeEachFrame && !options.BeforeEachFrame()) {
      return Error{.title = kExportErrorTitle, .text = Converter_Gif::kCancelledText};
    }
    Status staged =
        StageStill(files, sprite, number, format, NumberedFileName(path, number, extension), options.Coding);
    if (!staged) return staged;
  }
  return files.Commit();
}

std::filesystem::path NumberedFileName(const std::filesystem::path& chosen, int number,
                                       const std::string& extension) {
  std::string digits = std::to_string(number);
  if (number < 10) digits = "0" + digits;
  std::filesystem::path stem = chosen;
  stem.replace_extension();
  return stem.string() + "-" + digits + extension;
}

Status InsertBitmapFrame(SprDocument& sprite, int after, Converter_Bmp::BmpImage bitmap) {
  SprFrame frame;
  frame.Width = bitmap.Width;
  frame.Height = bitmap.Height;
  frame.DataSize = static_cast<std::int32_t>(bitmap.Pixels.size());
  frame.Pixels = std::move(bitmap.Pixels);
  Status inserted = Tool_Spr::InsertFrame(sprite, after, std::move(frame));
  if (inserted && sprite.Header.Palette.empty()) sprite.Header.Palette = std::move(bitmap.ColorTable);
  return inserted;
}

}  // namespace tessaloom
