#pragma once
// Everything the windows show, in parts that change separately: the open sprite,
// the view, the position and transport, the action file and the recent files. The
// session joins them where one follows another (a load or a frame edit moves the
// position, Preview Mode changes the frame list and the speed of playing) and holds
// what the commands depend on: the busy state and whether the commands that need a
// sprite have been enabled yet. The view (ViewMemory) and the recent files are kept
// in the settings between runs.

#include <QObject>
#include <type_traits>

#include "gui/state/action_state.h"
#include "gui/state/document_state.h"
#include "gui/state/playback_state.h"
#include "gui/state/recent_files.h"
#include "gui/state/view_memory.h"
#include "gui/state/view_state.h"

class QSettings;

namespace tessaloom {

// What the program is busy with; the window title says it.
enum class Activity { Idle, Loading, Writing };

// The commands that need a sprite start disabled, except Export frame; the first
// load or added frame enables them, and a cancelled Open with no frame loaded
// withdraws the menu items among them again (the toolbar buttons stay).
enum class SpriteCommands { NotYetEnabled, Enabled, MenusWithdrawn };

class Session : public QObject {
  Q_OBJECT

 public:
  explicit Session(QSettings& settings, QObject* parent = nullptr);

  DocumentState& Document() { return m_document; }
  const DocumentState& Document() const { return m_document; }
  ViewState& View() { return m_view; }
  const ViewState& View() const { return m_view; }
  PlaybackState& Playback() { return m_playback; }
  const PlaybackState& Playback() const { return m_playback; }
  ActionState& Actions() { return m_actions; }
  const ActionState& Actions() const { return m_actions; }
  RecentFiles& Recent() { return m_recent; }
  const RecentFiles& Recent() const { return m_recent; }

  Activity CurrentActivity() const { return m_activity; }
  void SetActivity(Activity activity);
  // Commands that change the sprite, or write it, wait while a file is written: an
  // animated export lets window events run between its frames.
  bool Busy() const { return m_activity == Activity::Writing; }
  // `command` as a slot that does nothing while busy; the signal's arguments are
  // passed on when the command takes them.
  template <class Command>
  auto HeldOffWhileBusy(Command command) const {
    return [this, command](const auto&... arguments) {
      if (Busy()) return;
      if constexpr (std::is_invocable_v<const Command&, decltype(arguments)...>) command(arguments...);
      else command();
    };
  }

  SpriteCommands SpriteCommandState() const { return m_spriteCommands; }
  // Whether the toolbar buttons and the transport that need a sprite were enabled.
  bool SpriteButtonsEnabled() const { return m_spriteButtonsEnabled; }
  void EnableSpriteCommands();
  void WithdrawSpriteMenus();

 signals:
  void activityChanged();
  void spriteCommandsChanged();

 private:
  // Action mode in Preview Mode plays at the current action's own speed.
  void UpdateTickInterval();

  DocumentState m_document;
  ViewState m_view;
  ViewMemory m_viewMemory;
  PlaybackState m_playback;
  ActionState m_actions;
  RecentFiles m_recent;
  Activity m_activity = Activity::Idle;
  SpriteCommands m_spriteCommands = SpriteCommands::NotYetEnabled;
  bool m_spriteButtonsEnabled = false;
};

}  // namespace tessaloom
