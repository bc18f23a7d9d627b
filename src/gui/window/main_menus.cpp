#include "gui/window/main_menus.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

namespace tessaloom {
namespace {

QMenu* AddMenu(QMenuBar& bar, const char* name, const QString& caption) {
  QMenu* menu = bar.addMenu(caption);
  menu->setObjectName(QString::fromLatin1(name));
  menu->menuAction()->setObjectName(QString::fromLatin1(name));
  return menu;
}

QAction* AddItem(QMenu& menu, const char* name, const QString& caption, QKeySequence shortcut = {}) {
  QAction* item = menu.addAction(caption);
  item->setObjectName(QString::fromLatin1(name));
  item->setShortcut(shortcut);
  return item;
}

void AddSeparator(QMenu& menu, const char* name) { menu.addSeparator()->setObjectName(QString::fromLatin1(name)); }

void BuildFileMenu(QMenuBar& bar, MainMenus& m) {
  m.OpenMenu = AddMenu(bar, "OpenMenu", QStringLiteral("File"));
  m.NewFile = AddItem(*m.OpenMenu, "NewFile", QStringLiteral("New"));
  AddSeparator(*m.OpenMenu, "g0");
  m.OpenFile = AddItem(*m.OpenMenu, "OpenFile", QStringLiteral("Open File"), QKeySequence(Qt::CTRL | Qt::Key_F));
  m.OpenRecentFile = m.OpenMenu->addMenu(QStringLiteral("Open Recent File"));
  m.OpenRecentFile->setObjectName(QStringLiteral("OpenRecentFile"));
  m.OpenRecentFile->menuAction()->setObjectName(QStringLiteral("OpenRecentFile"));
  QAction* none = AddItem(*m.OpenRecentFile, "RecentFiles", QStringLiteral("None"));
  none->setData(0);
  none->setEnabled(false);
  m.RecentFiles.append(none);
  AddSeparator(*m.OpenMenu, "g1");
  m.Save = AddItem(*m.OpenMenu, "Save", QStringLiteral("Save"), QKeySequence(Qt::CTRL | Qt::Key_S));
  m.Saveas = AddItem(*m.OpenMenu, "Saveas", QStringLiteral("Save as"));
  m.Exit = AddItem(*m.OpenMenu, "Exit", QStringLiteral("Exit"));
  m.Exit->setVisible(false);
}

// Ctrl+Q closes the main window; a hidden item's shortcut does not work, so the key
// has an action of its own on the window.
void AddQuitKey(QWidget& window, MainMenus& m) {
  m.Quit = new QAction(&window);
  m.Quit->setObjectName(QStringLiteral("Quit"));
  m.Quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
  window.addAction(m.Quit);
}

// Undo and Redo of the frame edits; their captions name the edit.
void BuildEditMenu(QMenuBar& bar, MainMenus& m) {
  m.EditMenu = AddMenu(bar, "EditMenu", QStringLiteral("Edit"));
  m.UndoEdit = AddItem(*m.EditMenu, "UndoEdit", QStringLiteral("Undo"), QKeySequence(Qt::CTRL | Qt::Key_Z));
  m.RedoEdit =
      AddItem(*m.EditMenu, "RedoEdit", QStringLiteral("Redo"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
}

void BuildFrameMenu(QMenuBar& bar, MainMenus& m) {
  m.FrameMenu = AddMenu(bar, "FrameMenu", QStringLiteral("Frame"));
  m.AddFrame = AddItem(*m.FrameMenu, "AddFrame", QStringLiteral("Add"), QKeySequence(Qt::CTRL | Qt::Key_A));
  m.DeleteFrame = AddItem(*m.FrameMenu, "DeleteFrame", QStringLiteral("Delete"), QKeySequence(Qt::CTRL | Qt::Key_D));
  m.MoveLeft = AddItem(*m.FrameMenu, "MoveLeft", QStringLiteral("Move Left"), QKeySequence(Qt::ALT | Qt::Key_Left));
  m.MoveRight = AddItem(*m.FrameMenu, "MoveRight", QStringLiteral("Move Right"), QKeySequence(Qt::ALT | Qt::Key_Right));
  AddSeparator(*m.FrameMenu, "g2");
  m.ExportFrame = AddItem(*m.FrameMenu, "ExportFrame", QStringLiteral("Export frame ..."));
  m.ExportAll = AddItem(*m.FrameMenu, "ExportAll", QStringLiteral("Export all ..."));
}

void BuildPaletteMenu(QMenuBar& bar, MainMenus& m) {
  m.PaletteMenu = AddMenu(bar, "PaletteMenu", QStringLiteral("Palette"));
  m.UndoPal = AddItem(*m.PaletteMenu, "UndoPal", QStringLiteral("Undo"));
  m.RedoPal = AddItem(*m.PaletteMenu, "RedoPal", QStringLiteral("Redo"));
  m.RedoPal->setEnabled(false);
  m.RedoPal->setVisible(false);
  AddSeparator(*m.PaletteMenu, "g3");
  m.ExportPal = AddItem(*m.PaletteMenu, "ExportPal", QStringLiteral("Export"));
  m.ImportPal = AddItem(*m.PaletteMenu, "ImportPal", QStringLiteral("Import"));
  AddSeparator(*m.PaletteMenu, "g4");
  m.ViewPaletteM =
      AddItem(*m.PaletteMenu, "ViewPaletteM", QStringLiteral("Show Palette"), QKeySequence(Qt::CTRL | Qt::Key_P));
}

void BuildActionsMenu(QMenuBar& bar, MainMenus& m) {
  m.ActionsMenu = AddMenu(bar, "ActionsMenu", QStringLiteral("Actions"));
  m.ExportAct = AddItem(*m.ActionsMenu, "ExportAct", QStringLiteral("Export"));
  m.ImportAct = AddItem(*m.ActionsMenu, "ImportAct", QStringLiteral("Import"));
  AddSeparator(*m.ActionsMenu, "g5");
  m.ViewActionM = AddItem(*m.ActionsMenu, "ViewActionM", QStringLiteral("Show Actions"));
}

void BuildViewMenus(QMenuBar& bar, MainMenus& m) {
  m.ZoomMenu = AddMenu(bar, "ZoomMenu", QStringLiteral("Zoom"));
  m.ZoomOut = AddItem(*m.ZoomMenu, "ZoomOut", QStringLiteral("Out"), QKeySequence(Qt::CTRL | Qt::Key_O));
  m.ZoomOut->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_O), QKeySequence(Qt::CTRL | Qt::Key_Minus)});
  m.ZoomIn = AddItem(*m.ZoomMenu, "ZoomIn", QStringLiteral("In"), QKeySequence(Qt::CTRL | Qt::Key_L));
  m.ZoomIn->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_L), QKeySequence(Qt::CTRL | Qt::Key_Plus),
                          QKeySequence(Qt::CTRL | Qt::Key_Equal)});

  m.Options = AddMenu(bar, "options", QStringLiteral("Options"));
  m.UseTransparency = AddItem(*m.Options, "UseTransparency", QStringLiteral("Use transparency"));
  m.UseTransparency->setCheckable(true);
  m.UseTransparency->setChecked(true);
  m.PreviewMode = AddItem(*m.Options, "PreviewMode", QStringLiteral("Preview Mode"));
  m.PreviewMode->setCheckable(true);
  AddSeparator(*m.Options, "g6");
  m.SetBG = AddItem(*m.Options, "SetBG", QStringLiteral("Set background..."));
  m.CheckerboardBG = AddItem(*m.Options, "CheckerboardBG", QStringLiteral("Checkerboard Background"));
  m.CheckerboardBG->setCheckable(true);

  m.Help = AddMenu(bar, "HelpMenu", QStringLiteral("Help"));
  m.KeyboardShortcuts = AddItem(*m.Help, "KeyboardShortcuts", QStringLiteral("Keyboard Shortcuts"));

  m.About = bar.addAction(QStringLiteral("About"));
  m.About->setObjectName(QStringLiteral("About"));
}

void BuildPopup(QWidget& window, MainMenus& m) {
  m.Submenu = new QMenu(QStringLiteral("Submenu"), &window);
  m.Submenu->setObjectName(QStringLiteral("submenu"));
  m.ReloadAct = AddItem(*m.Submenu, "ReloadAct", QStringLiteral("Reload Actions"));
  m.ViewAction = AddItem(*m.Submenu, "ViewAction", QStringLiteral("Show Actions"));
  m.ViewAction->setEnabled(false);
  AddSeparator(*m.Submenu, "g7");
  m.ReloadPal = AddItem(*m.Submenu, "ReloadPal", QStringLiteral("Reload Palette"));
  m.ViewPalette = AddItem(*m.Submenu, "ViewPalette", QStringLiteral("Show Palette"));
}

}  // namespace

MainMenus BuildMainMenus(QMenuBar& bar, QWidget& window) {
  MainMenus menus;
  BuildFileMenu(bar, menus);
  BuildEditMenu(bar, menus);
  BuildFrameMenu(bar, menus);
  BuildPaletteMenu(bar, menus);
  BuildActionsMenu(bar, menus);
  BuildViewMenus(bar, menus);
  BuildPopup(window, menus);
  AddQuitKey(window, menus);
  return menus;
}

QAction* RecentFilesItem(MainMenus& menus, int index) {
  while (menus.RecentFiles.size() <= index) {
    const QAction* first = menus.RecentFiles.constFirst();
    QAction* item = AddItem(*menus.OpenRecentFile, "RecentFiles", first->text());
    item->setData(static_cast<int>(menus.RecentFiles.size()));
    menus.RecentFiles.append(item);
  }
  return menus.RecentFiles[index];
}

}  // namespace tessaloom
