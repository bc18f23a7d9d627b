#pragma once
// The main window `Spr`: the canvas, the menus, the document and transport toolbars
// and the status bar. It wires the commands to their menu items and buttons, makes
// the actions window, and decides in one place, UpdateActions, which commands are
// enabled, checked and how they are captioned, from the session and the commands'
// own state.

#include <QMainWindow>
#include <QPointer>

#include "gui/window/export_commands.h"
#include "gui/window/file_commands.h"
#include "gui/window/frame_commands.h"
#include "gui/window/main_menus.h"
#include "gui/window/main_toolbars.h"
#include "gui/window/palette_commands.h"
#include "gui/window/palette_editing.h"
#include "gui/window/transport_commands.h"
#include "gui/widgets/actions_window.h"

class QLabel;

namespace tessaloom {

class CanvasView;
class Dialog;
class Messages;
class PaletteWindow;
class Session;

class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  MainWindow(Session& session, Dialog& dialog, Messages& messages, QWidget* parent = nullptr);

  // Opens a sprite named outside the program, as a dialog choice would.
  void OpenPath(const QString& path) { m_files.OpenPath(path); }

  CanvasView& Canvas() { return *m_canvas; }
  // The palette window, or null while it does not exist.
  PaletteWindow* Palette() const { return m_palette.Window(); }
  // The actions window, or null while it does not exist.
  ActionsWindow* Actions() const { return m_actions.data(); }

 protected:
  void changeEvent(QEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildFrameStrip();
  void BuildStatusBar();
  void ConnectCommands();
  void ConnectViewCommands();
  void ConnectTransport();
  void ConnectSession();
  // Connects `items` to `command`, which waits while a file is written.
  template <class Command>
  void ConnectEdit(std::initializer_list<QAction*> items, Command command);

  // The enabled, checked and caption states of every command (main_window_states.cpp).
  void UpdateActions();
  void ShowPosition();
  void ShowRate();
  void ShowRecentFiles();
  void ShowModified();

  // The window's own events redraw the current frame, when there is one.
  void RedrawOnWindowEvent();
  void ShowDrawFailure(const Error& error);
  void SetBackground();
  void ImportAct();
  void ImportActFrom(const QString& path);
  // A file dropped on the canvas.
  void Drop(const QString& path);
  ActionsWindow& EnsureActionsWindow();
  void ToggleActions();
  void SetActionsShown(bool shown);
  void ShowAbout();
  void ShowKeyboardShortcuts();

  Session& m_session;
  Dialog& m_dialog;
  Messages& m_messages;
  PaletteEditing m_paletteEditing;
  PaletteCommands m_palette;
  FileCommands m_files;
  FrameCommands m_frames;
  ExportCommands m_exports;
  TransportCommands m_transport;

  MainMenus m_menus;
  MainToolbars m_bars;
  CanvasView* m_canvas = nullptr;
  QLabel* m_sizePanel = nullptr;
  QLabel* m_positionPanel = nullptr;
  QLabel* m_fpsPanel = nullptr;
  QLabel* m_modifiedPanel = nullptr;
  QPointer<ActionsWindow> m_actions;
  bool m_actionsShown = false;
};

}  // namespace tessaloom
