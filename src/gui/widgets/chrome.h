#pragma once
// What the three windows share in their look: the images of buttons and tree nodes
// (SVG files in the program's resources), toolbars fixed in place, and the sunken
// text panels of their status bars.

#include <QIcon>
#include <QString>

class QLabel;
class QMainWindow;
class QStatusBar;
class QToolBar;

namespace tessaloom {

// The image of the toolbar button with key `key` ("Open", "ZoomIn", "Play"...), of
// the palette window's "Undo", or of an actions-tree node ("ActionNode", "ClipNode",
// "LayerNode"); an empty icon for any other key.
QIcon BarIcon(const QString& key);

// The program's icon: a framed figure on the canvas colour.
QIcon AppIcon();

// Adds a toolbar named `name` to `window` that cannot be moved, floated or hidden.
QToolBar* AddFixedToolBar(QMainWindow& window, const char* name, Qt::ToolBarArea area = Qt::TopToolBarArea);

// Adds a panel named `name` showing `text`; `stretch` shares out the bar's width.
QLabel* AddStatusPanel(QStatusBar& bar, const char* name, const QString& text = {}, int stretch = 1);

}  // namespace tessaloom
