#include "gui/state/session.h"

#include <algorithm>
#include <cmath>

namespace tessaloom {
namespace {

constexpr float kIntervalUnitMs = 25.0f;
// A file may store any interval; the timer waits at most a day.
constexpr float kMaxTickMs = 86'400'000.0f;

}  // namespace

Session::Session(QSettings& settings, QObject* parent)
    : QObject(parent), m_viewMemory(settings, m_view), m_playback(m_document, m_view), m_recent(settings) {
  // Made before any window listens, so the position is written before anything
  // that draws it.
  connect(&m_document, &DocumentState::loaded, this, [this] { m_playback.ShowLoaded(); });
  connect(&m_document, &DocumentState::framesEdited, this,
          [this](int current) { m_playback.ShowEditedFrame(current); });
  connect(&m_view, &ViewState::previewModeChanged, this, [this] {
    m_playback.ShowFrameList();
    UpdateTickInterval();
  });
  connect(&m_playback, &PlaybackState::actionModeChanged, this, &Session::UpdateTickInterval);
  connect(&m_actions, &ActionState::actReplaced, this, &Session::UpdateTickInterval);
  connect(&m_actions, &ActionState::currentActionChanged, this, [this] {
    m_playback.ShowActionChanged(ClipCountOf(m_actions.Act(), m_actions.CurrentAction()));
    UpdateTickInterval();
  });
  // New returns the canvas to its start colour.
  connect(&m_document, &DocumentState::cleared, this, [this] { m_view.SetBackgroundColor(kCanvasColor); });
}

void Session::UpdateTickInterval() {
  const ActData* act = m_actions.Act();
  int milliseconds = PlaybackState::kTickMs;
  if (m_view.PreviewMode() && m_playback.ActionMode() && act != nullptr) {
    const float interval = ActionInterval(*act, m_actions.CurrentAction()) * kIntervalUnitMs;
    milliseconds = static_cast<int>(std::lround(std::clamp(interval, 1.0f, kMaxTickMs)));
  }
  m_playback.SetInterval(milliseconds);
}

void Session::SetActivity(Activity activity) {
  m_activity = activity;
  emit activityChanged();
}

void Session::EnableSpriteCommands() {
  m_spriteCommands = SpriteCommands::Enabled;
  m_spriteButtonsEnabled = true;
  emit spriteCommandsChanged();
}

void Session::WithdrawSpriteMenus() {
  m_spriteCommands = SpriteCommands::MenusWithdrawn;
  emit spriteCommandsChanged();
}

}  // namespace tessaloom
