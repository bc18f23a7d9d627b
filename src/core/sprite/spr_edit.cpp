#include "core/sprite/spr_edit.h"

#include <algorithm>
#include <string>

namespace tessaloom::Tool_Spr {
namespace {

void SyncFrameCount(SprDocument& document) {
  document.Header.FrameCount = static_cast<std::int16_t>(document.Frames.size());
}

}  // namespace

Status InsertFrame(SprDocument& document, int after, SprFrame frame) {
  const std::size_t count = document.Frames.size();
  if (count >= static_cast<std::size_t>(kMaxFrames)) {
    return Error{.title = kAddFrameErrorTitle,
                 .text = "The sprite already has 32767 frames, the most a sprite file can hold."};
  }
  if (after < 0 || static_cast<std::size_t>(after) > count) {
    return Error{.title = kAddFrameErrorTitle,
                 .text = "Cannot add a frame after frame " + std::to_string(after) + ": the sprite has " +
                         std::to_string(count) + " frames."};
  }
  document.Frames.insert(document.Frames.begin() + after, std::move(frame));
  SyncFrameCount(document);
  document.Frames.back().FrameNumber = document.Header.FrameCount;
  return {};
}

void DeleteFrame(SprDocument& document, int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= document.Frames.size()) return;
  document.Frames.erase(document.Frames.begin() + index);
  SyncFrameCount(document);
}

void MoveFrame(SprDocument& document, int from, int to) {
  const auto count = static_cast<int>(document.Frames.size());
  if (from < 0 || to < 0 || from >= count || to >= count) return;
  const auto at = [&](int index) { return document.Frames.begin() + index; };
  if (from < to) std::rotate(at(from), at(from + 1), at(to + 1));
  else std::rotate(at(to), at(from), at(from + 1));
}

void ClearDocument(SprDocument& document) {
  document.Frames.clear();
  document.Header.FrameCount = 0;
  document.Header.Palette.clear();
  document.Header.Reserved = {};
  document.Header.TrailingData.clear();
  document.RgbaFrames.clear();
}

}  // namespace tessaloom::Tool_Spr
