#include "gui/window/transport_commands.h"

#include "gui/state/session.h"

namespace tessaloom {
namespace {

// The position a step button moves to within `range`; Prev on the first and Next on
// the last stay where they are.
int Stepped(TransportButton button, int current, PositionRange range) {
  switch (button) {
    case TransportButton::First: return range.First;
    case TransportButton::Prev: return current > range.First ? current - 1 : current;
    case TransportButton::Next: return current < range.Last ? current + 1 : current;
    default: return range.Last;
  }
}

}  // namespace

TransportCommands::TransportCommands(Session& session) : m_session(session) {}

void TransportCommands::Click(TransportButton button) {
  PlaybackState& playback = m_session.Playback();
  int current = playback.Current();
  int total = playback.Total();
  // Sprite mode steps over the frame list; action mode over the clips of the current
  // action, whose count becomes the total on every click.
  int count = playback.FrameListCount();
  if (playback.ActionMode()) {
    const ActionState& actions = m_session.Actions();
    count = ClipCountOf(actions.Act(), actions.CurrentAction());
    total = count;
  }

  switch (button) {
    case TransportButton::First:
    case TransportButton::Prev:
    case TransportButton::Next:
    case TransportButton::Last:
      playback.StepTo(Stepped(button, current, playback.Range(count)), total);
      return;
    case TransportButton::Action:
      // The mode has just changed: the first frame, or the first clip, of the new one.
      current = playback.Range(count).First;
      total = count;
      break;
    case TransportButton::Play: playback.Play(); break;
    case TransportButton::Pause: playback.Stop(); break;
    case TransportButton::Sound:
    case TransportButton::Loop: break;
  }
  playback.SetPosition(current, total);
}

void TransportCommands::Tick() {
  PlaybackState& playback = m_session.Playback();
  const TickStep next = playback.Advance();
  playback.StepTo(next.Current, playback.Total());
  if (next.Ended) playback.Stop();
}

}  // namespace tessaloom
