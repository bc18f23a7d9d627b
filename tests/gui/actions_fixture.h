#pragma once
// The main window with action files: writing and importing them, and reading and
// clicking the actions window's tree, rows and panels.

#include <QTreeWidgetItem>

#include "gui/actions/spr_act.h"
#include "support/act_bytes.h"
#include "window_fixture.h"

namespace tessaloom {

// A layer that draws sprite frame `spriteIndex` at the offset (x, y).
ActLayerFields LayerAt(int spriteIndex, int x = 0, int y = 0);

// Actions of the given clip counts, each clip one layer drawing frame 0.
ActFileFields ActionsOfClips(std::initializer_list<int> clipCounts);

// Two actions: the first of 3 clips of 2 layers each, layer l of clip c drawing frame
// c * 2 + l at x offset -12; the second of 5 clips of one layer.
ActFileFields TwoActionExample();

class ActionsTest : public WindowTest {
 protected:
  // The timer ticks only when a test says so.
  ActionsTest() { m_session->Transport().StopRealTime(); }

  QString WriteAct(const QString& name, const ActFileFields& layout);
  // Actions > Import, the dialog answering `path`.
  void Import(const QString& path);

  // The actions window; the test fails when it does not exist.
  SprAct& ActWindow() const;
  QTreeWidgetItem* Node(const QString& key) const;
  // The keys of the tree in depth-first order.
  QStringList Keys() const;
  // Selects the node and clicks on it with the mouse, showing the window for that.
  void ClickNode(const QString& key);
  // The value column of the row labelled `label`.
  QString Row(const char* label) const;
  QString ActPanel(int panel) const;

  // Clicks a transport button as the user does.
  void Transport(const char* key) { Action(key)->trigger(); }
};

}  // namespace tessaloom
