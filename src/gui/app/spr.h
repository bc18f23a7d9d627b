#pragma once
// The main window: the canvas, the menus, the document and transport toolbars and
// the status bar. It shows what the session holds, runs the document commands, and
// offers DrawFrame and LoadPalette to the commands and the other windows.

#include <QLabel>
#include <QMainWindow>
#include <QPointer>

#include "gui/app/open_commands.h"
#include "gui/app/save_command.h"
#include "gui/app/spr_editing.h"
#include "gui/app/spr_menus.h"
#include "gui/app/spr_operations.h"
#include "gui/app/spr_toolbars.h"
#include "gui/app/view_commands.h"
#include "core/common/result.h"
#include "gui/render/transport_commands.h"

namespace tessaloom {

class Dialog;
class Messages;
class Session;
class SprBG;
class SprAct;
class SprPal;

class Spr : public QMainWindow, public SprOperations {
  Q_OBJECT

 public:
  Spr(Session& session, Dialog& dialog, Messages& messages, QWidget* parent = nullptr);
  ~Spr() override;

  void DrawFrame(int frame) override;
  void LoadPalette() override;
  void ClearCanvas() override;
  void Refresh() override;

  // Opens a sprite named outside the program, as a dialog choice would.
  void OpenPath(const QString& path) { m_open.OpenPath(path); }

  SprBG& Canvas() { return *m_canvas; }
  // The palette window, or null while it does not exist.
  SprPal* PaletteWindow() const;
  // The area frames are centred on: the window below its menu bar.
  QSize ClientSize() const;
  // The actions window, or null while it does not exist.
  SprAct* ActionsWindow() const;
  // The action the canvas and the transport bar use; the first reading creates the
  // actions window, hidden.
  int CurrentAction();

 protected:
  void changeEvent(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildStatusBar();
  void ConnectCommands();
  void ConnectSession();

  void ShowPosition();
  void ShowZoom();
  void ShowViewChecks();
  void ShowRecentFiles();
  void ShowActivity();
  void ShowCommandStates();
  void ShowPaletteShown();

  // Redraws the current frame on the window's own events, when there is one.
  void RedrawOnWindowEvent();
  void TogglePalette();
  SprPal& EnsurePaletteWindow();
  void ShowAbout();

  // The action file, the actions window and the transport bar (spr_actions.cpp).
  void ConnectActions(Dialog& dialog);
  SprAct& EnsureActionsWindow();
  void ToggleActions();
  void ReloadActions();
  void ShowActionControls();
  void ShowActionsShown();
  void ShowPlaying();
  Status DrawClipOnCanvas(int clip);
  // Action mode's DrawFrame: a clip that cannot be drawn is reported, and stops playing.
  void DrawActionFrame(int clip);
  // For the window's own events, which come again and again: a clip that cannot be
  // drawn was reported when it was chosen and leaves the canvas cleared.
  void RedrawClipQuietly(int clip);

  Session& m_session;
  Messages& m_messages;
  OpenCommands m_open;
  ViewCommands m_view;
  SaveCommand m_save;

  SprMenus m_menus;
  SprToolbars m_bars;
  SprBG* m_canvas = nullptr;
  QLabel* m_sizePanel = nullptr;
  QLabel* m_positionPanel = nullptr;
  QPointer<SprPal> m_palette;
  TransportCommands m_transport;
  SprEditing m_editing;
  QPointer<SprAct> m_actions;
};

}  // namespace tessaloom
