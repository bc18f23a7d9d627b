#pragma once
// The imported action file and the current action, which the actions window, the
// canvas and the transport bar share.
//
// Until the first successful import there is no action file. A failed import leaves
// the loaded file in place, so once there is one there always is.

#include <QObject>
#include <optional>

#include "core/actions/act_data.h"

namespace tessaloom {

class ActionState : public QObject {
  Q_OBJECT

 public:
  explicit ActionState(QObject* parent = nullptr);

  // The loaded action file, or null before the first successful import.
  const ActData* Act() const { return m_act ? &*m_act : nullptr; }
  // Replaces the action file; the current action goes back to 0 when the new file
  // does not have it.
  void ReplaceAct(ActData act);

  // Zero-based index of the action the canvas and the transport bar use.
  int CurrentAction() const { return m_currentAction; }
  void SetCurrentAction(int action);

 signals:
  void actReplaced();
  void currentActionChanged();

 private:
  std::optional<ActData> m_act;
  int m_currentAction = 0;
};

// The number of clips of action `action`, 0 when there is no such action.
int ClipCountOf(const ActData* act, int action);

}  // namespace tessaloom
