#include "gui/app/status_panel.h"

namespace tessaloom {

QLabel* AddStatusPanel(QStatusBar& bar, const char* name, const QString& text, int stretch) {
  auto* panel = new QLabel(text, &bar);
  panel->setObjectName(QString::fromLatin1(name));
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Sunken);
  bar.addWidget(panel, stretch);
  return panel;
}

}  // namespace tessaloom
