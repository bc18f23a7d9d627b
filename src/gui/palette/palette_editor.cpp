#include "gui/palette/palette_editor.h"

#include <QAction>

#include "gui/app/dialog.h"
#include "gui/app/session.h"
#include "gui/app/spr_operations.h"
#include "gui/palette/pal_color.h"
#include "gui/palette/palette_undo.h"
#include "gui/palette/spr_pal.h"

namespace tessaloom {
namespace {

constexpr int kNoHighlight = -1;

// Whether the palette holds the blue, green and red bytes of entry `index`.
bool HoldsEntry(const std::vector<std::uint8_t>& palette, int index) {
  return index >= 0 && index < kPaletteEntries && palette.size() >= static_cast<std::size_t>(4 * index + 3);
}

}  // namespace

PaletteEditor::PaletteEditor(Session& session, SprOperations& window, Dialog& dialog, PaletteUndo& undo)
    : m_session(session), m_window(window), m_dialog(dialog), m_undo(undo) {}

void PaletteEditor::Attach(SprPal& palette) {
  m_palette = &palette;
  m_selectedIndex = 0;
  QObject::connect(&palette, &SprPal::cellClicked, &palette, [this](int index) { SelectCell(index); });
  QObject::connect(&palette, &SprPal::cellDoubleClicked, &palette, [this](int index) { EditCell(index); });
  QObject::connect(&palette, &SprPal::cellFocused, &palette, [this](int index) { ShowCellInfo(index); });
  QObject::connect(palette.UndoButton(), &QAction::triggered, &palette, [this] { LoadPalUndo(); });
  // Nothing shows the selection any more, so the canvas shows the true colours again.
  QObject::connect(&palette, &SprPal::closed, &palette, [this] {
    m_session.SetHighlightIndex(kNoHighlight);
    m_window.Refresh();
  });
  ShowUndoEnabled();
}

void PaletteEditor::SetUndoMenuItem(QAction* item) {
  m_undoMenuItem = item;
  ShowUndoEnabled();
}

void PaletteEditor::SelectCell(int index) {
  if (!m_palette) return;
  m_palette->Cell(index).SetBordered(true);
  m_palette->Cell(m_selectedIndex).SetBordered(false);
  m_selectedIndex = index;
  m_session.SetHighlightIndex(index);
  m_window.Refresh();
}

void PaletteEditor::EditCell(int index) {
  if (m_session.EditsHeldOff()) return;
  const std::vector<std::uint8_t>& palette = m_session.Document().Header.Palette;
  if (!HoldsEntry(palette, index)) return;
  if (!m_dialog.ShowColor()) return;
  const Color chosen = m_dialog.ChosenColor();
  SavePalUndo(Tool_Spr::PaletteColor(palette, static_cast<std::uint8_t>(index)), index);
  if (index == 0) m_session.SetBackgroundColor(chosen);
  WriteEntry(index, chosen);
}

void PaletteEditor::ShowCellInfo(int index) {
  if (!m_palette) return;
  m_palette->ShowInfo(QStringLiteral("RGB: ") + m_palette->Cell(index).toolTip(),
                      QStringLiteral("Index: ") + QString::number(index));
}

void PaletteEditor::SavePalUndo(Color color, int index) {
  m_undo.Record(PaletteEdit{.Index = index, .Before = color});
  ShowUndoEnabled();
}

void PaletteEditor::LoadPalUndo() {
  if (m_session.EditsHeldOff()) return;
  const std::optional<PaletteEdit> edit = m_undo.TakeNewest();
  if (!edit) return;
  WriteEntry(edit->Index, edit->Before);
  ShowUndoEnabled();
}

void PaletteEditor::WriteEntry(int index, Color color) {
  if (!m_session.SetPaletteEntry(index, color)) return;
  // The tooltip keeps the numbers LoadPalette wrote until it runs again.
  if (m_palette) m_palette->Cell(index).SetCellColor(color);
  if (m_session.HighlightIndex() == index) m_session.SetHighlightIndex(kNoHighlight);
  m_window.Refresh();
}

void PaletteEditor::ShowUndoEnabled() {
  const bool enabled = m_undo.CommandEnabled();
  if (m_undoMenuItem) m_undoMenuItem->setEnabled(enabled);
  if (m_palette) m_palette->UndoButton()->setEnabled(enabled);
}

}  // namespace tessaloom
