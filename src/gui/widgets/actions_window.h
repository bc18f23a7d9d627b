#pragma once
// The actions window: the imported action file as a tree of actions, clips and
// layers with the file's events, the fields of the clicked layer and the current
// action's interval, and the current action with the file's version in its status
// bar. A click on an action, clip or layer node makes its action current.
//
// The main window creates it hidden on first use. Closing it discards it, and the
// next use creates it anew, with action 0 current again.

#include <QMainWindow>

class QLabel;
class QTreeWidget;

namespace tessaloom {

class ActionState;

class ActionsWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit ActionsWindow(ActionState& state, QWidget* parent = nullptr);

  // Rebuilds the tree from the action file; the selection is gone, the rows and the
  // status panels keep what they show.
  void LoadAnimation();

  QTreeWidget& Tree() { return *m_tree; }

 signals:
  // The user closed the window; it is deleted afterwards.
  void closed();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildToolbar();
  void BuildStatusBar();
  // A mouse click anywhere on the tree acts on its selected node, if any.
  void TreeClicked();
  // A new action file: its tree, version and interval, and layer rows that show
  // nothing of the old one.
  void ShowNewAct();
  void ShowVersion();
  void ShowCurrentAction();

  ActionState& m_state;
  QTreeWidget* m_tree = nullptr;
  QTreeWidget* m_rows = nullptr;
  QLabel* m_actionPanel = nullptr;
  QLabel* m_versionPanel = nullptr;
};

}  // namespace tessaloom
