#include "gui/window/main_toolbars.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>

#include "gui/widgets/chrome.h"

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

QAction* AddTransportButton(QToolBar& bar, TransportButton which, const char* key, const char* toolTip,
                            Kind kind = Kind::Button) {
  QAction* button = AddButton(bar, key, toolTip, kind);
  button->setData(static_cast<int>(which));
  return button;
}

void AddExportDropDown(QToolBar& bar, MainToolbars& t) {
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

void BuildSprBar(QMainWindow& window, MainToolbars& t) {
  QToolBar& bar = *(t.SprBar = AddFixedToolBar(window, "SprBar"));
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
}

void BuildRepBar(QMainWindow& window, MainToolbars& t) {
  QToolBar& bar = *(t.RepBar = AddFixedToolBar(window, "RepBar", Qt::BottomToolBarArea));
  bar.addSeparator();
  t.Action = AddTransportButton(bar, TransportButton::Action, "Action", "Use Act File", Kind::Check);
  t.Sound = AddTransportButton(bar, TransportButton::Sound, "Sound", "Use Sounds", Kind::Check);
  bar.addSeparator();
  t.First = AddTransportButton(bar, TransportButton::First, "First", "First Frame");
  t.Prev = AddTransportButton(bar, TransportButton::Prev, "Prev", "Previous frame");
  t.Next = AddTransportButton(bar, TransportButton::Next, "Next", "Next frame");
  t.Last = AddTransportButton(bar, TransportButton::Last, "Last", "Last frame");
  bar.addSeparator();
  t.Play = AddTransportButton(bar, TransportButton::Play, "Play", "Play animation", Kind::Check);
  t.Pause = AddTransportButton(bar, TransportButton::Pause, "Pause", "Pause animation", Kind::Check);
  t.Pause->setChecked(true);
  bar.addSeparator();
  t.Loop = AddTransportButton(bar, TransportButton::Loop, "Loop", "Loop animation", Kind::Check);
  t.First->setShortcut(Qt::Key_Home);
  t.Prev->setShortcut(Qt::Key_Left);
  t.Next->setShortcut(Qt::Key_Right);
  t.Last->setShortcut(Qt::Key_End);
  // Space plays or pauses, whichever the transport is not doing.
  t.PlayOrPause = new QAction(&window);
  t.PlayOrPause->setObjectName(QStringLiteral("PlayOrPause"));
  t.PlayOrPause->setShortcut(Qt::Key_Space);
  window.addAction(t.PlayOrPause);
}

}  // namespace

MainToolbars BuildMainToolbars(QMainWindow& window) {
  MainToolbars toolbars;
  BuildSprBar(window, toolbars);
  BuildRepBar(window, toolbars);
  return toolbars;
}

}  // namespace tessaloom
