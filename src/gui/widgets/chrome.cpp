#include "gui/widgets/chrome.h"

#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QToolBar>
#include <map>

// The resources live in this static library; a program linking it registers them
// here, before the first icon is asked for.
static void RegisterIconResources() { Q_INIT_RESOURCE(icons); }

namespace tessaloom {
namespace {

QIcon ResourceIcon(const QString& file) {
  static const bool registered = (RegisterIconResources(), true);
  (void)registered;
  return QIcon(QStringLiteral(":/icons/") + file);
}

}  // namespace

QIcon BarIcon(const QString& key) {
  static const std::map<QString, QString> files{
      {"Open", "open.svg"},       {"Save", "save.svg"},         {"Export", "export.svg"},
      {"Add", "add.svg"},         {"Sub", "sub.svg"},           {"Palette", "palette.svg"},
      {"Actions", "actions.svg"}, {"ZoomIn", "zoom-in.svg"},    {"ZoomOut", "zoom-out.svg"},
      {"Action", "action.svg"},   {"Sound", "sound.svg"},       {"First", "first.svg"},
      {"Prev", "prev.svg"},       {"Next", "next.svg"},         {"Last", "last.svg"},
      {"Play", "play.svg"},       {"Pause", "pause.svg"},       {"Loop", "loop.svg"},
      {"Undo", "undo.svg"},       {"ActionNode", "actions.svg"}, {"ClipNode", "clip-node.svg"},
      {"LayerNode", "layer-node.svg"},
  };
  const auto file = files.find(key);
  return file == files.end() ? QIcon() : ResourceIcon(file->second);
}

QIcon AppIcon() { return ResourceIcon(QStringLiteral("app.svg")); }

QToolBar* AddFixedToolBar(QMainWindow& window, const char* name, Qt::ToolBarArea area) {
  auto* bar = new QToolBar(QString::fromLatin1(name), &window);
  bar->setObjectName(QString::fromLatin1(name));
  bar->setMovable(false);
  bar->setFloatable(false);
  bar->toggleViewAction()->setVisible(false);
  window.addToolBar(area, bar);
  return bar;
}

QLabel* AddStatusPanel(QStatusBar& bar, const char* name, const QString& text, int stretch) {
  auto* panel = new QLabel(text, &bar);
  panel->setObjectName(QString::fromLatin1(name));
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Sunken);
  bar.addWidget(panel, stretch);
  return panel;
}

}  // namespace tessaloom
