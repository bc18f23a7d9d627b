#include "gui/state/session.h"

namespace tessaloom {

Session::Session(QSettings& settings, QObject* parent) : QObject(parent), m_recent(settings) {
  // Made before any window listens, so the position is written before anything
  // that draws it.
  connect(&m_document, &DocumentState::loaded, this, [this] { m_playback.ShowLoaded(m_document.Sprite()); });
  connect(&m_document, &DocumentState::framesEdited, this,
          [this](int current) { m_playback.ShowEditedFrame(current, m_document.Sprite()); });
  // New returns the canvas to its start colour.
  connect(&m_document, &DocumentState::cleared, this, [this] { m_view.SetBackgroundColor(kCanvasColor); });
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
