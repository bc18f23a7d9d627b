#pragma once
// The menus of the main window, made in one place with their captions and
// shortcuts; the main window decides when each item is enabled. Every menu and item carries its name as objectName; the
// separators are named g0 to g7.

#include <QList>

class QAction;
class QMenu;
class QMenuBar;
class QWidget;

namespace tessaloom {

struct MainMenus {
  QMenu* OpenMenu = nullptr;
  QAction* NewFile = nullptr;
  QAction* OpenFile = nullptr;
  QMenu* OpenRecentFile = nullptr;
  QList<QAction*> RecentFiles;  // item 0 exists from the start; the others are made on demand
  QAction* Save = nullptr;
  QAction* Saveas = nullptr;
  QAction* Exit = nullptr;
  QAction* Quit = nullptr;  // not in a menu: the Ctrl+Q key

  QMenu* EditMenu = nullptr;
  QAction* UndoEdit = nullptr;
  QAction* RedoEdit = nullptr;

  QMenu* FrameMenu = nullptr;
  QAction* AddFrame = nullptr;
  QAction* DeleteFrame = nullptr;
  QAction* MoveLeft = nullptr;
  QAction* MoveRight = nullptr;
  QAction* ExportFrame = nullptr;
  QAction* ExportAll = nullptr;

  QMenu* PaletteMenu = nullptr;
  QAction* UndoPal = nullptr;
  QAction* RedoPal = nullptr;
  QAction* ExportPal = nullptr;
  QAction* ImportPal = nullptr;
  QAction* ViewPaletteM = nullptr;

  QMenu* ActionsMenu = nullptr;
  QAction* ExportAct = nullptr;
  QAction* ImportAct = nullptr;
  QAction* ViewActionM = nullptr;

  QMenu* ZoomMenu = nullptr;
  QAction* ZoomOut = nullptr;
  QAction* ZoomIn = nullptr;

  QMenu* Options = nullptr;
  QAction* UseTransparency = nullptr;
  QAction* PreviewMode = nullptr;
  QAction* SetBG = nullptr;
  QAction* CheckerboardBG = nullptr;

  QMenu* Help = nullptr;
  QAction* KeyboardShortcuts = nullptr;
  QAction* About = nullptr;

  // The canvas popup, never in the menu bar.
  QMenu* Submenu = nullptr;
  QAction* ReloadAct = nullptr;
  QAction* ViewAction = nullptr;
  QAction* ReloadPal = nullptr;
  QAction* ViewPalette = nullptr;
};

// Fills `bar` with the menus; the popup belongs to `window`.
MainMenus BuildMainMenus(QMenuBar& bar, QWidget& window);

// The recent-files item at `index`, made as a copy of item 0 when it does not exist.
QAction* RecentFilesItem(MainMenus& menus, int index);

}  // namespace tessaloom
