#pragma once
// The main window's two toolbars: the document bar `SprBar` at the top and the
// transport bar `RepBar` at the bottom. Each button is a QAction whose objectName is
// the button's key, except for the three keys that are also names of menu items
// ("Save", "ZoomIn", "ZoomOut"): those buttons are named "SaveButton",
// "ZoomInButton" and "ZoomOutButton" so that every name in the window stays unique.
// A transport button's data() is its TransportButton.

class QAction;
class QMainWindow;
class QToolBar;

namespace tessaloom {

enum class TransportButton { Action, Sound, First, Prev, Next, Last, Play, Pause, Loop };

struct MainToolbars {
  QToolBar* SprBar = nullptr;
  QAction* Open = nullptr;
  QAction* Save = nullptr;
  QAction* Export = nullptr;  // a drop-down with ExpCur and ExpAll
  QAction* ExpCur = nullptr;
  QAction* ExpAll = nullptr;
  QAction* Add = nullptr;
  QAction* Sub = nullptr;
  QAction* Palette = nullptr;  // pressed while the palette window is shown
  QAction* Actions = nullptr;
  QAction* ZoomIn = nullptr;
  QAction* ZoomOut = nullptr;

  QToolBar* RepBar = nullptr;
  QAction* Action = nullptr;  // pressed: the canvas shows the clips of an action
  QAction* Sound = nullptr;
  QAction* First = nullptr;
  QAction* Prev = nullptr;
  QAction* Next = nullptr;
  QAction* Last = nullptr;
  QAction* Play = nullptr;
  QAction* Pause = nullptr;
  QAction* Loop = nullptr;
  QAction* PlayOrPause = nullptr;  // not on the bar: the Space key
};

// Adds both toolbars to `window` in their start states.
MainToolbars BuildMainToolbars(QMainWindow& window);

}  // namespace tessaloom
