#include "gui/state/document_state.h"

#include <algorithm>
#include <utility>

#include "core/operations/sprite_operations.h"
#include "core/sprite/palette.h"
#include "core/sprite/spr_edit.h"

namespace tessaloom {
DocumentState::DocumentState(QObject* parent) : QObject(parent) {}

void DocumentState::Load(SprDocument sprite, const QString& path) {
  m_sprite = std::move(sprite);
  MarkSaved(path);
  emit loaded();
}

void DocumentState::Clear() {
  Tool_Spr::ClearDocument(m_sprite);
  MarkSaved(QString());
  emit cleared();
}

void DocumentState::MarkSaved(const QString& path) {
  m_filePath = path;
  SetModified(false);
}

Status DocumentState::InsertBitmapFrame(int after, Converter_Bmp::BmpImage bitmap) {
  Status inserted = tessaloom::InsertBitmapFrame(m_sprite, after, std::move(bitmap));
  if (!inserted) return inserted;
  SetModified(true);
  emit framesEdited(after + 1);
  return inserted;
}

void DocumentState::DeleteFrame(int number) {
  if (number < 1 || number > FrameCount()) return;
  Tool_Spr::DeleteFrame(m_sprite, number - 1);
  SetModified(true);
  emit framesEdited(std::min(number, FrameCount()));
}

void DocumentState::ReplacePalette(std::vector<std::uint8_t> palette) {
  m_sprite.Header.Palette = std::move(palette);
  SetModified(true);
  emit paletteEdited();
}

bool DocumentState::SetPaletteEntry(int index, Color color) {
  if (!Tool_Spr::SetPaletteColor(m_sprite.Header.Palette, index, color)) return false;
  SetModified(true);
  emit paletteEdited();
  return true;
}

void DocumentState::SetToolTip(const QString& text) {
  m_toolTip = text;
  emit toolTipChanged();
}

void DocumentState::SetModified(bool modified) {
  if (m_modified == modified) return;
  m_modified = modified;
  emit modifiedChanged();
}

}  // namespace tessaloom
