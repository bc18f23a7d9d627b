#include "gui/widgets/action_tree.h"

#include <QTreeWidget>

#include "gui/widgets/chrome.h"

namespace tessaloom {
namespace {

constexpr int kActionRole = Qt::UserRole + 1;
constexpr int kClipRole = Qt::UserRole + 2;
constexpr int kLayerRole = Qt::UserRole + 3;

QString Digits(int value, int width) { return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0')); }

QTreeWidgetItem* AddNode(QTreeWidgetItem* parent, QTreeWidget& tree, const QString& key, const QString& text,
                         const QString& image, NodeIndices at) {
  auto* node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(&tree);
  node->setText(0, text);
  node->setIcon(0, BarIcon(image));
  node->setData(0, kNodeKeyRole, key);
  node->setData(0, kActionRole, at.Action);
  node->setData(0, kClipRole, at.Clip);
  node->setData(0, kLayerRole, at.Layer);
  return node;
}

// The node's text is its level's name and its 1-based number in two digits or more.
QTreeWidgetItem* AddNumberedNode(QTreeWidgetItem* parent, QTreeWidget& tree, const QString& key, const char* name,
                                 int index, const char* image, NodeIndices at) {
  return AddNode(parent, tree, key, QString::fromLatin1(name) + Digits(index + 1, 2), QString::fromLatin1(image), at);
}

// The events node and one child per name, as the file spells it.
void AddEventNodes(QTreeWidget& tree, const std::vector<std::string>& events) {
  if (events.empty()) return;
  const QString image = QStringLiteral("Sound");
  QTreeWidgetItem* parent = AddNode(nullptr, tree, QStringLiteral("E"), QStringLiteral("Events"), image, {});
  for (int e = 0; e < static_cast<int>(events.size()); ++e)
    AddNode(parent, tree, EventKey(e), QString::fromStdString(events[static_cast<std::size_t>(e)]), image, {});
}

bool Inside(int index, std::size_t count) { return index >= 0 && static_cast<std::size_t>(index) < count; }

}  // namespace

QString ActionKey(int action) { return QStringLiteral("A") + Digits(action, 3); }

QString ClipKey(int action, int clip) { return ActionKey(action) + QStringLiteral("C") + Digits(clip, 3); }

QString LayerKey(int action, int clip, int layer) {
  return ClipKey(action, clip) + QStringLiteral("F") + Digits(layer, 3);
}

QString EventKey(int event) { return QStringLiteral("E") + Digits(event, 3); }

void FillActionsTree(QTreeWidget& tree, const ActData& act) {
  tree.clear();
  for (int a = 0; a < static_cast<int>(act.Actions.size()); ++a) {
    QTreeWidgetItem* action = AddNumberedNode(nullptr, tree, ActionKey(a), "Action ", a, "ActionNode", {a, -1, -1});
    const ActAction& clips = act.Actions[static_cast<std::size_t>(a)];
    for (int c = 0; c < static_cast<int>(clips.Clips.size()); ++c) {
      QTreeWidgetItem* clip = AddNumberedNode(action, tree, ClipKey(a, c), "Clip ", c, "ClipNode", {a, c, -1});
      const ActClip& layers = clips.Clips[static_cast<std::size_t>(c)];
      for (int l = 0; l < static_cast<int>(layers.Layers.size()); ++l)
        AddNumberedNode(clip, tree, LayerKey(a, c, l), "Frame ", l, "LayerNode", {a, c, l});
    }
  }
  AddEventNodes(tree, act.Events);
}

NodeIndices IndicesOf(const QTreeWidgetItem& node) {
  return NodeIndices{node.data(0, kActionRole).toInt(), node.data(0, kClipRole).toInt(),
                     node.data(0, kLayerRole).toInt()};
}

const ActClip* ClipOfLayer(const ActData* act, const NodeIndices& at) {
  if (act == nullptr || !Inside(at.Action, act->Actions.size())) return nullptr;
  const ActAction& action = act->Actions[static_cast<std::size_t>(at.Action)];
  if (!Inside(at.Clip, action.Clips.size())) return nullptr;
  const ActClip& clip = action.Clips[static_cast<std::size_t>(at.Clip)];
  return Inside(at.Layer, clip.Layers.size()) ? &clip : nullptr;
}

}  // namespace tessaloom
