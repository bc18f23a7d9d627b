#include "gui/state/document_state.h"

#include <algorithm>
#include <utility>

#include "core/operations/sprite_operations.h"
#include "core/sprite/palette.h"
#include "core/sprite/spr_edit.h"

namespace tessaloom {
namespace {

// One frame edit: what doing it and undoing it do to the document.
class FrameEdit : public QUndoCommand {
 public:
  FrameEdit(const QString& text, std::function<void()> redo, std::function<void()> undo, bool alreadyDone)
      : QUndoCommand(text), m_redo(std::move(redo)), m_undo(std::move(undo)), m_skipRedo(alreadyDone) {}

  void redo() override {
    if (m_skipRedo) m_skipRedo = false;
    else m_redo();
  }
  void undo() override { m_undo(); }

 private:
  std::function<void()> m_redo;
  std::function<void()> m_undo;
  bool m_skipRedo;
};

}  // namespace

DocumentState::DocumentState(QObject* parent) : QObject(parent) {}

void DocumentState::Load(SprDocument sprite, const QString& path) {
  m_frameEdits.clear();
  m_sprite = std::move(sprite);
  MarkSaved(path);
  emit loaded();
}

void DocumentState::Clear() {
  m_frameEdits.clear();
  Tool_Spr::ClearDocument(m_sprite);
  MarkSaved(QString());
  emit cleared();
}

void DocumentState::MarkSaved(const QString& path) {
  m_filePath = path;
  SetModified(false);
}

// The bitmap is decoded and inserted at once, so that its refusal is told before
// anything goes on the stack; the edit keeps the frame and the palettes around it (a
// sprite without a palette takes the bitmap's).
Status DocumentState::InsertBitmapFrame(int after, Converter_Bmp::BmpImage bitmap) {
  const std::vector<std::uint8_t> paletteBefore = m_sprite.Header.Palette;
  Status inserted = tessaloom::InsertBitmapFrame(m_sprite, after, std::move(bitmap));
  if (!inserted) return inserted;
  const SprFrame frame = m_sprite.Frames[static_cast<std::size_t>(after)];
  const std::vector<std::uint8_t> paletteAfter = m_sprite.Header.Palette;
  const auto setPalette = [this](const std::vector<std::uint8_t>& palette) {
    if (m_sprite.Header.Palette == palette) return;
    m_sprite.Header.Palette = palette;
    emit paletteEdited();
  };
  PushFrameEdit(
      QStringLiteral("Add Frame %1").arg(after + 1),
      [=, this] {
        static_cast<void>(Tool_Spr::InsertFrame(m_sprite, after, frame));  // it fitted before
        setPalette(paletteAfter);
        FramesChanged(after + 1);
      },
      [=, this] {
        Tool_Spr::DeleteFrame(m_sprite, after);
        setPalette(paletteBefore);
        FramesChanged(std::clamp(after, 1, std::max(1, FrameCount())));
      },
      /*alreadyDone=*/true);
  FramesChanged(after + 1);
  return inserted;
}

void DocumentState::DeleteFrame(int number) {
  if (number < 1 || number > FrameCount()) return;
  const SprFrame frame = m_sprite.Frames[static_cast<std::size_t>(number - 1)];
  PushFrameEdit(
      QStringLiteral("Delete Frame %1").arg(number),
      [=, this] {
        Tool_Spr::DeleteFrame(m_sprite, number - 1);
        FramesChanged(std::min(number, FrameCount()));
      },
      [=, this] {
        static_cast<void>(Tool_Spr::InsertFrame(m_sprite, number - 1, frame));  // it was there
        FramesChanged(number);
      });
}

void DocumentState::MoveFrame(int number, int to) {
  if (number < 1 || to < 1 || number > FrameCount() || to > FrameCount() || number == to) return;
  PushFrameEdit(
      QStringLiteral("Move Frame %1").arg(number),
      [=, this] {
        Tool_Spr::MoveFrame(m_sprite, number - 1, to - 1);
        FramesChanged(to);
      },
      [=, this] {
        Tool_Spr::MoveFrame(m_sprite, to - 1, number - 1);
        FramesChanged(number);
      });
}

void DocumentState::PushFrameEdit(const QString& text, std::function<void()> redo, std::function<void()> undo,
                                  bool alreadyDone) {
  m_frameEdits.push(new FrameEdit(text, std::move(redo), std::move(undo), alreadyDone));
}

void DocumentState::FramesChanged(int current) {
  SetModified(true);
  emit framesEdited(current);
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
