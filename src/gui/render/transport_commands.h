#pragma once
// The transport bar's buttons and the timer's tick: stepping, playing and pausing,
// looping, and switching between the sprite's frames and the clips of the current
// action. Every click ends by rewriting the position text, whatever the button.

#include <QString>
#include <functional>

namespace tessaloom {

class Session;
class SprOperations;

class TransportCommands {
 public:
  // `currentAction` reads the current action the way the renderer does.
  TransportCommands(Session& session, SprOperations& window, std::function<int()> currentAction);

  // The button with key `key` was clicked; a check button ("Action", "Loop") has
  // already changed its state, which the session's playback holds.
  void Click(const QString& key);
  // One tick of the timer: the next frame or clip, the first one again when looping,
  // else the end of playing on the last one.
  void Tick();

 private:
  Session& m_session;
  SprOperations& m_window;
  std::function<int()> m_currentAction;
};

}  // namespace tessaloom
