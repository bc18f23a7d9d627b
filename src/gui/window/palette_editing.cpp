#include "gui/window/palette_editing.h"

#include <QAction>
#include <algorithm>

#include "gui/state/dialog.h"
#include "gui/state/session.h"
#include "gui/widgets/palette_window.h"

namespace tessaloom {
namespace {

constexpr int kNoHighlight = -1;

// Whether the palette holds the blue, green and red bytes of entry `index`.
bool HoldsEntry(const std::vector<std::uint8_t>& palette, int index) {
  return index >= 0 && index < kPaletteEntries && palette.size() >= static_cast<std::size_t>(4 * index + 3);
}

}  // namespace

PaletteEditing::PaletteEditing(Session& session, Dialog& dialog, QObject* parent)
    : QObject(parent), m_session(session), m_dialog(dialog) {
  // Edits of the sprite that was open before cannot be undone in another one.
  connect(&session.Document(), &DocumentState::loaded, this, &PaletteEditing::ClearHistory);
  connect(&session.Document(), &DocumentState::cleared, this, &PaletteEditing::ClearHistory);
}

void PaletteEditing::Attach(PaletteWindow& palette) {
  m_palette = &palette;
  m_selectedIndex = 0;
  connect(&palette, &PaletteWindow::cellClicked, this, &PaletteEditing::SelectCell);
  connect(&palette, &PaletteWindow::cellDoubleClicked, this,
          m_session.HeldOffWhileBusy([this](int index) { EditCell(index); }));
  connect(&palette, &PaletteWindow::cellFocused, this, &PaletteEditing::ShowCellInfo);
  connect(palette.UndoButton(), &QAction::triggered, this, m_session.HeldOffWhileBusy([this] { Undo(); }));
  // Nothing shows the selection any more, so the canvas shows the true colours again.
  connect(&palette, &PaletteWindow::closed, this, [this] { m_session.View().SetHighlightIndex(kNoHighlight); });
}

void PaletteEditing::SelectCell(int index) {
  if (!m_palette) return;
  m_palette->Cell(index).SetBordered(true);
  m_palette->Cell(m_selectedIndex).SetBordered(false);
  m_selectedIndex = index;
  m_session.View().SetHighlightIndex(index);
}

void PaletteEditing::EditCell(int index) {
  const std::vector<std::uint8_t>& palette = m_session.Document().Palette();
  if (!HoldsEntry(palette, index)) return;
  const Color before = Tool_Spr::PaletteColor(palette, static_cast<std::uint8_t>(index));
  // The dialog starts on the entry's colour, so that OK at once leaves it as it is.
  if (!m_dialog.AskColor(before)) return;
  const Color chosen = m_dialog.ChosenColor();
  Record(PaletteEdit{.Index = index, .Before = before});
  if (index == 0) m_session.View().SetBackgroundColor(chosen);
  WriteEntry(index, chosen);
}

void PaletteEditing::ShowCellInfo(int index) {
  if (!m_palette) return;
  m_palette->ShowInfo(QStringLiteral("RGB: ") + m_palette->Cell(index).toolTip(),
                      QStringLiteral("Index: ") + QString::number(index));
}

void PaletteEditing::Record(PaletteEdit edit) {
  if (m_count == kUndoSlots) {
    std::shift_left(m_edits.begin(), m_edits.end(), 1);
    --m_count;
  }
  m_edits[static_cast<std::size_t>(m_count++)] = edit;
  SetUndoEnabled(true);
}

void PaletteEditing::Undo() {
  if (m_count == 0) return;
  const PaletteEdit edit = m_edits[static_cast<std::size_t>(--m_count)];
  WriteEntry(edit.Index, edit.Before);
  if (m_count == 0) SetUndoEnabled(false);
}

void PaletteEditing::WriteEntry(int index, Color color) {
  if (!m_session.Document().SetPaletteEntry(index, color)) return;
  if (m_palette) {
    m_palette->Cell(index).SetCellColor(color);
    ShowCellInfo(index);
  }
  if (m_session.View().HighlightIndex() == index) m_session.View().SetHighlightIndex(kNoHighlight);
}

void PaletteEditing::SetUndoEnabled(bool enabled) {
  m_undoEnabled = enabled;
  emit undoEnabledChanged();
}

}  // namespace tessaloom
