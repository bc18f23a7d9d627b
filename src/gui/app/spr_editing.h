#pragma once
// The main window's editing: the frame commands (Add, Delete), the exports, the
// palette file commands and the palette window's editing, wired to the menu items,
// the toolbar buttons and each palette window the main window creates. The palette
// undo history lives here, so it outlives the palette window.

#include "gui/app/export_commands.h"
#include "gui/app/frame_commands.h"
#include "gui/app/palette_commands.h"
#include "gui/app/spr_menus.h"
#include "gui/app/spr_toolbars.h"
#include "gui/palette/palette_editor.h"
#include "gui/palette/palette_undo.h"

class QObject;

namespace tessaloom {

class SprPal;

class SprEditing {
 public:
  SprEditing(Session& session, SprOperations& window, Dialog& dialog, Messages& messages);

  // Connects the commands to the main window's items and buttons; the connections end
  // with `window`.
  void Connect(QObject& window, const SprMenus& menus, const SprToolbars& bars);
  // A palette window the main window has just created.
  void AttachPaletteWindow(SprPal& palette);

 private:
  void ShowDeleteEnabled();

  Session& m_session;
  PaletteUndo m_undo;
  FrameCommands m_frames;
  ExportCommands m_exports;
  PaletteCommands m_paletteFiles;
  PaletteEditor m_paletteEditor;
  QAction* m_deleteFrame = nullptr;
};

}  // namespace tessaloom
