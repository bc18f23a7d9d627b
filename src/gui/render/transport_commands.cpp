#include "gui/render/transport_commands.h"

#include <utility>

#include "gui/actions/action_state.h"
#include "gui/app/session.h"
#include "gui/app/spr_operations.h"
#include "gui/render/playback.h"

namespace tessaloom {
namespace {

// The position a step button moves to within `range`; Prev on the first and Next on
// the last stay where they are.
int Stepped(const QString& key, int current, PositionRange range) {
  if (key == QLatin1String("First")) return range.First;
  if (key == QLatin1String("Prev")) return current > range.First ? current - 1 : current;
  if (key == QLatin1String("Next")) return current < range.Last ? current + 1 : current;
  return range.Last;
}

bool IsStepKey(const QString& key) {
  return key == QLatin1String("First") || key == QLatin1String("Prev") || key == QLatin1String("Next") ||
         key == QLatin1String("Last");
}

}  // namespace

TransportCommands::TransportCommands(Session& session, SprOperations& window, std::function<int()> currentAction)
    : m_session(session), m_window(window), m_currentAction(std::move(currentAction)) {}

void TransportCommands::Click(const QString& key) {
  Playback& playback = m_session.Transport();
  int current = m_session.CurrentFrame();
  int total = m_session.FrameTotal();
  // Sprite mode steps over the sprite's frames; action mode over the clips of the
  // current action, whose count becomes the total on every click.
  int count = m_session.FrameCount();
  if (playback.ActionMode()) {
    count = ClipCountOf(m_session.Actions().Act(), m_currentAction());
    total = count;
  }

  const bool step = IsStepKey(key);
  if (step) {
    current = Stepped(key, current, playback.Range(count));
  } else if (key == QLatin1String("Action")) {
    // The mode has just changed: the first frame, or the first clip, of the new one.
    current = playback.Range(count).First;
    total = count;
  } else if (key == QLatin1String("Play")) {
    playback.Play();
  } else if (key == QLatin1String("Pause")) {
    playback.Stop();
  }

  m_session.SetPosition(current, total, playback.PositionText(current, total));
  if (step) m_window.DrawFrame(current);
}

void TransportCommands::Tick() {
  Playback& playback = m_session.Transport();
  const int total = m_session.FrameTotal();
  const TickStep next = playback.Advance(m_session.CurrentFrame(), total);
  m_session.SetPosition(next.Current, total, playback.PositionText(next.Current, total));
  m_window.DrawFrame(next.Current);
  if (next.Ended) playback.Stop();
}

}  // namespace tessaloom
