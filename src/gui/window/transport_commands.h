#pragma once
// The transport bar's buttons and the timer's tick: stepping, playing and pausing,
// looping, and switching between the sprite's frames and the clips of the current
// action. Every click ends by rewriting the position text, whatever the button.

#include "gui/window/main_toolbars.h"

namespace tessaloom {

class Session;

class TransportCommands {
 public:
  explicit TransportCommands(Session& session);

  // `button` was clicked; a check button ("Action", "Loop") has already changed its
  // state, which the session's playback holds.
  void Click(TransportButton button);
  // One tick of the timer: the next frame or clip, the first one again when looping,
  // else the end of playing on the last one.
  void Tick();

 private:
  Session& m_session;
};

}  // namespace tessaloom
