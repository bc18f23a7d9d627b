#include "core/sprite/spr_reader.h"

#include <utility>

#include "core/sprite/spr_frame_reader.h"

namespace tessaloom::Tool_Spr {
namespace {

// Every frame, one at a time, so that nothing but the decoded frames grows with the file.
Result<LoadedSprite> ReadAll(Result<SprFrameReader> opened) {
  if (!opened) return opened.error();
  SprFrameReader& reader = *opened;
  LoadedSprite loaded{.Document = {.Header = reader.Header(), .Frames = {}, .RgbaFrames = {}}};
  SprDocument& document = loaded.Document;
  // The reader has checked the count against the file's size.
  document.Frames.reserve(static_cast<std::size_t>(reader.FrameCount()));
  while (!reader.AtEnd()) {
    auto frame = reader.NextFrame();
    if (!frame) return frame.error();
    document.Frames.push_back(std::move(*frame));
  }
  auto tail = reader.ReadTail();
  if (!tail) return tail.error();
  document.Header.TrailingData = std::move(tail->TrailingData);
  document.RgbaFrames = std::move(tail->RgbaFrames);
  loaded.Warning = reader.DecodeWarning();
  return loaded;
}

}  // namespace

Result<LoadedSprite> ParseSprite(std::span<const std::uint8_t> bytes) { return ReadAll(SprFrameReader::Over(bytes)); }

Result<LoadedSprite> LoadSprite(const std::filesystem::path& path) { return ReadAll(SprFrameReader::Open(path)); }

}  // namespace tessaloom::Tool_Spr
