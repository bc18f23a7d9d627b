#include "gui/app/spr_toolbars.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

#include "gui/app/bar_icons.h"

namespace tessaloom {
namespace {

enum class Kind { Button, Check };

QAction* AddButton(QToolBar& bar, const char* key, const char* toolTip, Kind kind = Kind::Button,
                   const char* objectName = nullptr) {
  const QString keyText = QString::fromLatin1(key);
  QAction* button = bar.addAction(BarIcon(keyText), keyText);
  button->setObjectName(objectName ? QString::fromLatin1(objectName) : keyText);
  button->setData(keyText);
  button->setToolTip(QString::fromLatin1(toolTip));
  button->setCheckable(kind == Kind::Check);
  return button;
}

QToolBar* AddBar(QMainWindow& window, Qt::ToolBarArea area, const char* name) {
  auto* bar = new QToolBar(QString::fromLatin1(name), &window);
  bar->setObjectName(QString::fromLatin1(name));
  bar->setMovable(false);
  bar->setFloatable(false);
  bar->toggleViewAction()->setVisible(false);
  window.addToolBar(area, bar);
  return bar;
}

void AddExportDropDown(QToolBar& bar, SprToolbars& t) {
  auto* entries = new QMenu(&bar);
  t.ExpCur = entries->addAction(QStringLiteral("Current Frame"));
  t.ExpCur->setObjectName(QStringLiteral("ExpCur"));
  t.ExpCur->setData(QStringLiteral("ExpCur"));
  t.ExpAll = entries->addAction(QStringLiteral("All frames"));
  t.ExpAll->setObjectName(QStringLiteral("ExpAll"));
  t.ExpAll->setData(QStringLiteral("ExpAll"));
  t.Export->setMenu(entries);
  if (auto* button = qobject_cast<QToolButton*>(bar.widgetForAction(t.Export)))
    button->setPopupMode(QToolButton::MenuButtonPopup);
}

void BuildSprBar(QMainWindow& window, SprToolbars& t) {
  QToolBar& bar = *(t.SprBar = AddBar(window, Qt::TopToolBarArea, "SprBar"));
  t.Open = AddButton(bar, "Open", "Open File");
  t.Save = AddButton(bar, "Save", "Save Spr", Kind::Button, "SaveButton");
  bar.addSeparator();
  t.Export = AddButton(bar, "Export", "Export a frame(s)");
  AddExportDropDown(bar, t);
  t.Add = AddButton(bar, "Add", "Add a frame");
  t.Sub = AddButton(bar, "Sub", "Delete a  frame");
  bar.addSeparator();
  t.Palette = AddButton(bar, "Palette", "View Palette", Kind::Check);
  t.Actions = AddButton(bar, "Actions", "View Actions");
  bar.addSeparator();
  t.ZoomIn = AddButton(bar, "ZoomIn", "Zoom In", Kind::Button, "ZoomInButton");
  t.ZoomOut = AddButton(bar, "ZoomOut", "Zoom Out", Kind::Button, "ZoomOutButton");
  // Enabled by the first sprite load (saving, the palette, zoom) and by the first
  // action-file import (actions).
  for (QAction* button : {t.Save, t.Palette, t.Actions, t.ZoomIn, t.ZoomOut}) button->setEnabled(false);
}

void BuildRepBar(QMainWindow& window, SprToolbars& t) {
  QToolBar& bar = *(t.RepBar = AddBar(window, Qt::BottomToolBarArea, "RepBar"));
  bar.addSeparator();
  t.Action = AddButton(bar, "Action", "Use Act File", Kind::Check);
  t.Action->setEnabled(false);
  t.Sound = AddButton(bar, "Sound", "Use Sounds", Kind::Check);
  bar.addSeparator();
  t.First = AddButton(bar, "First", "First Frame");
  t.Prev = AddButton(bar, "Prev", "Previous frame");
  t.Next = AddButton(bar, "Next", "Next frame");
  t.Last = AddButton(bar, "Last", "Last frame");
  bar.addSeparator();
  t.Play = AddButton(bar, "Play", "Play animation", Kind::Check);
  t.Pause = AddButton(bar, "Pause", "Pause animation", Kind::Check);
  t.Pause->setChecked(true);
  bar.addSeparator();
  t.Loop = AddButton(bar, "Loop", "Loop animation", Kind::Check);
  bar.setEnabled(false);
}

}  // namespace

SprToolbars BuildSprToolbars(QMainWindow& window) {
  SprToolbars toolbars;
  BuildSprBar(window, toolbars);
  BuildRepBar(window, toolbars);
  return toolbars;
}

}  // namespace tessaloom
