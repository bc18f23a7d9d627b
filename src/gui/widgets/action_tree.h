#pragma once
// The nodes of the actions tree: one per action, clip and layer of an action file,
// each with its key, its text and its image, and after them the file's events, if it
// has any, under one "Events" node. A node carries the indices it stands for itself,
// so no index is ever read back from a key; keys have three digits per index up to
// 999 ("A000C002F001", "E001") and grow past it. Event nodes stand for no action.

#include <QString>
#include <QtCore/qnamespace.h>

#include "core/actions/act_data.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace tessaloom {

// The indices a node stands for; Clip and Layer are -1 on the levels above them.
struct NodeIndices {
  int Action = -1;
  int Clip = -1;
  int Layer = -1;

  bool operator==(const NodeIndices&) const = default;
};

// The data role of column 0 that holds a node's key.
inline constexpr int kNodeKeyRole = Qt::UserRole;

QString ActionKey(int action);
QString ClipKey(int action, int clip);
QString LayerKey(int action, int clip, int layer);
QString EventKey(int event);

// Removes every node, then adds the nodes of `act` depth first, children in index
// order, then the events, none expanded or selected. A clip's extra slot gets no node.
void FillActionsTree(QTreeWidget& tree, const ActData& act);

NodeIndices IndicesOf(const QTreeWidgetItem& node);

// The clip holding the layer a layer node stands for, or null when the file has no
// such layer (any more).
const ActClip* ClipOfLayer(const ActData* act, const NodeIndices& at);

}  // namespace tessaloom
