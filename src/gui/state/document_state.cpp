#include "gui/state/document_state.h"

#include <algorithm>
#include <utility>

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

DocumentState::DocumentState(QObject* parent) : QObject(parent) {}

void DocumentState::Load(SprDocument sprite) {
  m_sprite = std::move(sprite);
  emit loaded();
}

void DocumentState::Clear() {
  Tool_Spr::ClearDocument(m_sprite);
  emit cleared();
}

Status DocumentState::InsertFrame(int after, SprFrame frame) {
  Status inserted = Tool_Spr::InsertFrame(m_sprite, after, std::move(frame));
  if (inserted) emit framesEdited(after + 1);
  return inserted;
}

void DocumentState::DeleteFrame(int number) {
  if (number < 1 || number > FrameCount()) return;
  Tool_Spr::DeleteFrame(m_sprite, number - 1);
  emit framesEdited(std::min(number, FrameCount()));
}

void DocumentState::ReplacePalette(std::vector<std::uint8_t> palette) {
  m_sprite.Header.Palette = std::move(palette);
  emit paletteEdited();
}

bool DocumentState::SetPaletteEntry(int index, Color color) {
  if (!WriteEntry(m_sprite.Header.Palette, index, color)) return false;
  emit paletteEdited();
  return true;
}

void DocumentState::SetToolTip(const QString& text) {
  m_toolTip = text;
  emit toolTipChanged();
}

}  // namespace tessaloom
