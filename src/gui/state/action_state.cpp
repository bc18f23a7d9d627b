#include "gui/state/action_state.h"

#include <utility>

namespace tessaloom {

ActionState::ActionState(QObject* parent) : QObject(parent) {}

void ActionState::ReplaceAct(ActData act) {
  m_act = std::move(act);
  if (m_currentAction >= m_act->ActionCount) SetCurrentAction(0);
  emit actReplaced();
}

void ActionState::SetCurrentAction(int action) {
  m_currentAction = action;
  emit currentActionChanged();
}

int ClipCountOf(const ActData* act, int action) {
  if (act == nullptr || action < 0 || static_cast<std::size_t>(action) >= act->Actions.size()) return 0;
  return act->Actions[static_cast<std::size_t>(action)].ClipCount;
}

}  // namespace tessaloom
