#include "gui/widgets/tool_dock.h"

#include <QCloseEvent>

namespace tessaloom {

ToolDock::ToolDock(const QString& objectName, QWidget* parent) : QDockWidget(parent) {
  setObjectName(objectName);
}

void ToolDock::Hold(QWidget& window) {
  setWindowTitle(window.windowTitle());
  setWidget(&window);
  connect(&window, &QObject::destroyed, this, &QWidget::hide);
}

// The tool window may refuse to close; then the panel stays.
void ToolDock::closeEvent(QCloseEvent* event) {
  if (widget() && !widget()->close()) {
    event->ignore();
    return;
  }
  QDockWidget::closeEvent(event);
}

}  // namespace tessaloom
