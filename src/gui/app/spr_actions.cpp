// The main window's side of the action file and the transport bar: importing,
// the actions window, clips on the canvas, stepping and playing.

#include <QMenu>
#include <QToolBar>

#include "gui/actions/import_act.h"
#include "gui/actions/spr_act.h"
#include "gui/app/messages.h"
#include "gui/app/session.h"
#include "gui/app/spr.h"
#include "core/render/canvas_drawing.h"
#include "gui/render/spr_bg.h"

namespace tessaloom {

void Spr::ConnectActions(Dialog& dialog) {
  ActionState& actions = m_session.Actions();
  connect(m_menus.ImportAct, &QAction::triggered, this,
          [this, &dialog] { ImportAct(m_session.Actions(), dialog, m_messages); });
  connect(m_menus.ReloadAct, &QAction::triggered, this, &Spr::ReloadActions);
  for (QAction* view : {m_menus.ViewAction, m_menus.ViewActionM, m_bars.Actions})
    connect(view, &QAction::triggered, this, &Spr::ToggleActions);
  connect(&actions, &ActionState::actReplaced, this, &Spr::ShowActionControls);
  connect(&actions, &ActionState::windowShownChanged, this, &Spr::ShowActionsShown);

  Playback& playback = m_session.Transport();
  // The check buttons' states are the transport's before any click is handled.
  connect(m_bars.Action, &QAction::toggled, this, [&playback](bool on) { playback.SetActionMode(on); });
  connect(m_bars.Loop, &QAction::toggled, this, [&playback](bool on) { playback.SetLooping(on); });
  connect(m_bars.RepBar, &QToolBar::actionTriggered, this,
          [this](QAction* button) { m_transport.Click(button->data().toString()); });
  connect(&playback, &Playback::ticked, this, [this] { m_transport.Tick(); });
  connect(&playback, &Playback::playingChanged, this, &Spr::ShowPlaying);
}

SprAct* Spr::ActionsWindow() const { return m_actions.data(); }

SprAct& Spr::EnsureActionsWindow() {
  if (!m_actions) {
    m_actions = new SprAct(m_session.Actions(), this);
    connect(m_actions, &SprAct::closed, this, [this] {
      m_actions = nullptr;
      m_session.Actions().SetWindowShown(false);
    });
  }
  return *m_actions;
}

int Spr::CurrentAction() {
  EnsureActionsWindow();
  return m_session.Actions().CurrentAction();
}

void Spr::ToggleActions() {
  ActionState& actions = m_session.Actions();
  if (actions.WindowShown()) {
    if (m_actions) m_actions->hide();
    actions.SetWindowShown(false);
    return;
  }
  EnsureActionsWindow().show();
  actions.SetWindowShown(true);
}

// A window made here has just built its tree; building it again does no harm.
void Spr::ReloadActions() { EnsureActionsWindow().LoadAnimation(); }

void Spr::ShowActionControls() {
  const bool loaded = m_session.Actions().Act() != nullptr;
  for (QAction* control : {m_bars.Actions, m_menus.ViewActionM, m_bars.Action}) control->setEnabled(loaded);
}

void Spr::ShowActionsShown() {
  const QString caption =
      m_session.Actions().WindowShown() ? QStringLiteral("Hide Actions") : QStringLiteral("Show Actions");
  m_menus.ViewAction->setText(caption);
  m_menus.ViewActionM->setText(caption);
}

void Spr::ShowPlaying() {
  const bool playing = m_session.Transport().Playing();
  m_bars.Play->setChecked(playing);
  m_bars.Pause->setChecked(!playing);
}

Status Spr::DrawClipOnCanvas(int clip) {
  const int action = CurrentAction();
  const QSize client = ClientSize();
  const Status drawn = Painter::DrawClip(m_canvas->Canvas(), m_session.Document(), m_session.Actions().Act(), action,
                                         clip, m_session.View(client.width(), client.height()));
  m_canvas->update();
  return drawn;
}

void Spr::DrawActionFrame(int clip) {
  const Status drawn = DrawClipOnCanvas(clip);
  if (drawn) return;
  // Stopped before the message, which would otherwise come back on every tick.
  Playback& playback = m_session.Transport();
  if (playback.Playing()) playback.Stop();
  m_messages.Show(MessageFromError(drawn.error(), MessageIcon::None));
}

void Spr::RedrawClipQuietly(int clip) {
  if (!DrawClipOnCanvas(clip)) ClearCanvas();
}

}  // namespace tessaloom
