// The session's edits of the open sprite: its frame list, its palette, and the view
// state the palette window's editing changes (the highlight, the canvas colour).

#include <algorithm>
#include <utility>

#include "gui/app/session.h"
#include "core/sprite/spr_edit.h"

namespace tessaloom {
namespace {

// The entry's bytes in memory order (blue, green, red), the fourth byte left alone.
bool WriteEntry(std::vector<std::uint8_t>& palette, int index, Color color) {
  const std::size_t at = 4 * static_cast<std::size_t>(index);
  if (index < 0 || index >= kPaletteEntries || palette.size() < at + 3) return false;
  palette[at] = BlueOf(color);
  palette[at + 1] = GreenOf(color);
  palette[at + 2] = RedOf(color);
  return true;
}

}  // namespace

Status Session::InsertFrame(int after, SprFrame frame) {
  Status inserted = Tool_Spr::InsertFrame(m_document, after, std::move(frame));
  if (!inserted) return inserted;
  ShowEditedFrame(after + 1);
  return inserted;
}

void Session::DeleteFrame(int number) {
  if (number < 1 || number > FrameCount()) return;
  Tool_Spr::DeleteFrame(m_document, number - 1);
  ShowEditedFrame(std::min(number, FrameCount()));
}

// In action mode the status bar keeps the clip position; the frame becomes the one
// sprite mode and the frame commands use.
void Session::ShowEditedFrame(int current) {
  if (m_playback.ActionMode()) m_spriteFrame = current;
  else WriteFramePosition(current);
  emit documentEdited();
  emit positionChanged();
}

void Session::ReplacePalette(std::vector<std::uint8_t> palette) {
  m_document.Header.Palette = std::move(palette);
  emit documentEdited();
}

bool Session::SetPaletteEntry(int index, Color color) {
  if (!WriteEntry(m_document.Header.Palette, index, color)) return false;
  emit documentEdited();
  return true;
}

void Session::SetBackgroundColor(Color color) {
  m_backgroundColor = color;
  emit viewChanged();
}

void Session::SetHighlightIndex(int index) {
  m_highlightIndex = index;
  emit viewChanged();
}

}  // namespace tessaloom
