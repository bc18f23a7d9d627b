#include "gui/state/document_state.h"

#include <algorithm>
#include <utility>

#include "core/operations/sprite_operations.h"
#include "core/sprite/palette.h"
#include "core/sprite/spr_edit.h"

namespace tessaloom {
DocumentState::DocumentState(QObject* parent) : QObject(parent) {}

void DocumentState::Load(SprDocument sprite) {
  m_sprite = std::move(sprite);
  emit loaded();
}

void DocumentState::Clear() {
  Tool_Spr::ClearDocument(m_sprite);
  emit cleared();
}

Status DocumentState::InsertBitmapFrame(int after, Converter_Bmp::BmpImage bitmap) {
  Status inserted = tessaloom::InsertBitmapFrame(m_sprite, after, std::move(bitmap));
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
  if (!Tool_Spr::SetPaletteColor(m_sprite.Header.Palette, index, color)) return false;
  emit paletteEdited();
  return true;
}

void DocumentState::SetToolTip(const QString& text) {
  m_toolTip = text;
  emit toolTipChanged();
}

}  // namespace tessaloom
