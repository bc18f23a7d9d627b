#pragma once
// A dock panel for one of the main window's tool windows (the palette, the actions).
// It floats as a window of its own or docks beside the canvas, and keeps its place
// for the tool windows put in it one after another: closing the panel closes the tool
// window inside it, which discards itself, and the panel hides until the next one.

#include <QDockWidget>

namespace tessaloom {

class ToolDock : public QDockWidget {
  Q_OBJECT

 public:
  // An empty panel named `objectName`.
  ToolDock(const QString& objectName, QWidget* parent);

  // Puts `window` in the panel, which takes its title; the panel hides when it goes.
  void Hold(QWidget& window);

 protected:
  void closeEvent(QCloseEvent* event) override;
};

}  // namespace tessaloom
