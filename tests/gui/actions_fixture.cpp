#include "actions_fixture.h"

#include <QLabel>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include "gui/actions/action_tree.h"

namespace tessaloom {

ActLayerFields LayerAt(int spriteIndex, int x, int y) { return ActLayerFields{.X = x, .Y = y, .SpriteIndex = spriteIndex}; }

ActFileFields ActionsOfClips(std::initializer_list<int> clipCounts) {
  ActFileFields layout;
  for (const int clips : clipCounts) {
    ActActionFields action;
    action.Clips.assign(static_cast<std::size_t>(clips), ActClipFields{.Layers = {LayerAt(0)}});
    layout.Actions.push_back(action);
  }
  return layout;
}

ActFileFields TwoActionExample() {
  ActFileFields layout = ActionsOfClips({3, 5});
  for (int c = 0; c < 3; ++c) {
    ActClipFields& clip = layout.Actions[0].Clips[static_cast<std::size_t>(c)];
    clip.Layers = {LayerAt(c * 2, -12), LayerAt(c * 2 + 1, -12)};
  }
  return layout;
}

QString ActionsTest::WriteAct(const QString& name, const ActFileFields& layout) {
  return WriteBytes(name, BuildActFile(layout));
}

void ActionsTest::Import(const QString& path) {
  m_dialog.AnswerFile(path);
  Action("ImportAct")->trigger();
}

SprAct& ActionsTest::ActWindow() const {
  SprAct* window = m_window->ActionsWindow();
  if (window == nullptr) throw std::logic_error("the actions window does not exist");
  return *window;
}

QTreeWidgetItem* ActionsTest::Node(const QString& key) const {
  for (QTreeWidgetItemIterator it(&ActWindow().Tree()); *it; ++it) {
    if ((*it)->data(0, kNodeKeyRole).toString() == key) return *it;
  }
  ADD_FAILURE() << "no node " << key.toStdString();
  return nullptr;
}

QStringList ActionsTest::Keys() const {
  QStringList keys;
  for (QTreeWidgetItemIterator it(&ActWindow().Tree()); *it; ++it) keys << (*it)->data(0, kNodeKeyRole).toString();
  return keys;
}

void ActionsTest::ClickNode(const QString& key) {
  QTreeWidgetItem* node = Node(key);
  ASSERT_NE(node, nullptr);
  ActWindow().show();
  QTreeWidget& tree = ActWindow().Tree();
  for (QTreeWidgetItem* parent = node->parent(); parent; parent = parent->parent()) parent->setExpanded(true);
  tree.scrollToItem(node);
  QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualItemRect(node).center());
  ASSERT_EQ(tree.selectedItems().value(0), node);
}

QString ActionsTest::Row(const char* label) const {
  const QList<QTreeWidgetItem*> rows =
      ActWindow().findChild<QTreeWidget*>("FrameValue")->findItems(QString::fromLatin1(label), Qt::MatchExactly);
  return rows.size() == 1 ? rows[0]->text(1) : QStringLiteral("<no row %1>").arg(label);
}

QString ActionsTest::ActPanel(int panel) const {
  const auto* label = ActWindow().findChild<QLabel*>(QStringLiteral("ActBarPanel%1").arg(panel));
  return label ? label->text() : QStringLiteral("<no panel %1>").arg(panel);
}

}  // namespace tessaloom
