#pragma once
// The main window: the canvas, the menus, the document and transport toolbars and
// the status bar. It shows what the session holds, runs the document commands, and
// offers DrawFrame and LoadPalette to the commands and the other windows.

#include <QLabel>
#include <QMainWindow>
#include <QPointer>

#include "app/open_commands.h"
#include "app/save_command.h"
#include "app/spr_menus.h"
#include "app/spr_operations.h"
#include "app/spr_toolbars.h"
#include "app/view_commands.h"

namespace tessaloom {

class Dialog;
class Messages;
class Session;
class SprBG;
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
};

}  // namespace tessaloom
