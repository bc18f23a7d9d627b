#pragma once
// The palette window's editing: a click selects an entry and highlights its pixels on
// the canvas, a double click edits its colour through the colour dialog, and the last
// ten edits can be undone. The window only shows; the selection lives here, the undo
// history in a PaletteUndo that outlives the window, the highlight and the true
// colours in the session.

#include <QPointer>

#include "core/sprite/palette.h"

class QAction;

namespace tessaloom {

class Dialog;
class PaletteUndo;
class Session;
class SprOperations;
class SprPal;

class PaletteEditor {
 public:
  PaletteEditor(Session& session, SprOperations& window, Dialog& dialog, PaletteUndo& undo);

  // A new palette window: its selection starts at entry 0, without a border, and its
  // Undo button follows the history. Closing it ends the highlight.
  void Attach(SprPal& palette);
  // The main window's "Undo" item, enabled and disabled with the window's button.
  void SetUndoMenuItem(QAction* item);

  // Borders cell `index` (and unborders the one selected before, which may be the
  // same) and highlights the entry on the canvas.
  void SelectCell(int index);
  // Asks for a colour and writes it into the entry, recording the old one for undo.
  // A cancelled dialog, or an entry the palette does not hold, changes nothing.
  void EditCell(int index);
  // The cell's numbers and index in the info panels.
  void ShowCellInfo(int index);

  // Records that entry `index`, now `color`, is about to be edited.
  void SavePalUndo(Color color, int index);
  // Undoes the newest recorded edit, if any. The canvas background stays as it is,
  // even when the entry is entry 0.
  void LoadPalUndo();

 private:
  // Writes the true colour of an entry into the palette and its cell. The entry then
  // shows this colour as it is, without the highlight, until the next selection.
  void WriteEntry(int index, Color color);
  void ShowUndoEnabled();

  Session& m_session;
  SprOperations& m_window;
  Dialog& m_dialog;
  PaletteUndo& m_undo;
  QPointer<SprPal> m_palette;
  QAction* m_undoMenuItem = nullptr;
  int m_selectedIndex = 0;
};

}  // namespace tessaloom
