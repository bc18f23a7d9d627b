#pragma once
// The palette window's editing: a click selects an entry and highlights its pixels on
// the canvas, a double click edits its colour through the colour dialog, and the last
// ten edits can be undone. The window only shows; the selection lives here, with the
// undo history, which outlives the window; the highlight and the true colours live
// in the session.

#include <QObject>
#include <QPointer>
#include <array>
#include <optional>

#include "core/sprite/palette.h"
#include "gui/widgets/palette_window.h"

namespace tessaloom {

class Dialog;
class Session;

struct PaletteEdit {
  int Index = 0;
  Color Before = 0;  // the entry's true colour before the edit
};

class PaletteEditing : public QObject {
  Q_OBJECT

 public:
  static constexpr int kUndoSlots = 10;

  PaletteEditing(Session& session, Dialog& dialog, QObject* parent = nullptr);

  // A new palette window: its selection starts at entry 0, without a border.
  // Closing it ends the highlight.
  void Attach(PaletteWindow& palette);

  // Borders cell `index` (and unborders the one selected before, which may be the
  // same) and highlights the entry on the canvas.
  void SelectCell(int index);
  // Asks for a colour and writes it into the entry, recording the old one for undo.
  // A cancelled dialog, or an entry the palette does not hold, changes nothing.
  void EditCell(int index);
  // Undoes the newest recorded edit, if any. The canvas background stays as it is,
  // even when the entry is entry 0.
  void Undo();

  // Whether the Undo commands are enabled: a record enables them and the undo that
  // empties the history disables them. Clearing leaves them as they are, so an undo
  // after a newly opened sprite or an added frame finds nothing to do.
  bool UndoEnabled() const { return m_undoEnabled; }
  void ClearHistory() { m_count = 0; }

 signals:
  void undoEnabledChanged();

 private:
  void ShowCellInfo(int index);
  // With ten edits held, the oldest drops out.
  void Record(PaletteEdit edit);
  // Writes the true colour of an entry into the palette and its cell. The entry then
  // shows this colour as it is, without the highlight, until the next selection.
  void WriteEntry(int index, Color color);
  void SetUndoEnabled(bool enabled);

  Session& m_session;
  Dialog& m_dialog;
  QPointer<PaletteWindow> m_palette;
  int m_selectedIndex = 0;
  std::array<PaletteEdit, kUndoSlots> m_edits{};
  int m_count = 0;
  bool m_undoEnabled = false;
};

}  // namespace tessaloom
