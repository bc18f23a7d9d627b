// The main window's controls drawn from the session and the commands' state: which
// commands are enabled, checked and how they are captioned, the title, the status
// bar and the recent files.

#include <QLabel>
#include <QMenu>
#include <QToolBar>

#include "core/render/preview_drawing.h"
#include "gui/state/session.h"
#include "gui/state/status_texts.h"
#include "gui/widgets/palette_window.h"
#include "gui/window/main_window.h"

namespace tessaloom {
namespace {

QString WindowTitle(Activity activity) {
  switch (activity) {
    case Activity::Loading: return QStringLiteral("Tessaloom+ (Loading)");
    case Activity::Writing: return QStringLiteral("Tessaloom+ (Writting)");
    case Activity::Idle: break;
  }
  return QStringLiteral("Tessaloom+");
}

void SetEnabled(std::initializer_list<QAction*> items, bool enabled) {
  for (QAction* item : items) item->setEnabled(enabled);
}

QString ShowHideCaption(bool shown, const QString& what) {
  return (shown ? QStringLiteral("Hide ") : QStringLiteral("Show ")) + what;
}

}  // namespace

void MainWindow::UpdateActions() {
  const Activity activity = m_session.CurrentActivity();
  setWindowTitle(WindowTitle(activity));
  m_menus.OpenFile->setEnabled(activity != Activity::Loading);
  // No new file is opened or added while one is being written.
  SetEnabled({m_bars.Open, m_bars.Export, m_bars.Add}, !m_session.Busy());
  m_menus.DeleteFrame->setEnabled(m_session.Document().FrameCount() > 0 && !m_session.Busy());
  SetEnabled({m_menus.MoveLeft, m_menus.MoveRight}, m_session.Document().FrameCount() > 1 && !m_session.Busy());
  const QUndoStack& edits = m_session.Document().FrameEdits();
  m_menus.UndoEdit->setEnabled(edits.canUndo() && !m_session.Busy());
  m_menus.RedoEdit->setEnabled(edits.canRedo() && !m_session.Busy());
  m_menus.UndoEdit->setText(edits.canUndo() ? QStringLiteral("Undo ") + edits.undoText() : QStringLiteral("Undo"));
  m_menus.RedoEdit->setText(edits.canRedo() ? QStringLiteral("Redo ") + edits.redoText() : QStringLiteral("Redo"));

  const SpriteCommands sprite = m_session.SpriteCommandState();
  m_menus.ExportFrame->setEnabled(sprite != SpriteCommands::MenusWithdrawn);
  SetEnabled({m_menus.Save, m_menus.Saveas, m_menus.PaletteMenu->menuAction(), m_menus.ZoomMenu->menuAction()},
             sprite == SpriteCommands::Enabled);
  const bool buttons = m_session.SpriteButtonsEnabled();
  SetEnabled({m_bars.Save, m_bars.Palette, m_bars.ZoomIn, m_bars.ZoomOut, m_menus.ViewPalette}, buttons);
  m_bars.RepBar->setEnabled(buttons);
  m_menus.ZoomIn->setEnabled(m_session.View().ZoomInAllowed());
  m_menus.ZoomOut->setEnabled(m_session.View().ZoomOutAllowed());
  m_menus.UseTransparency->setChecked(m_session.View().TransparencyOn());
  m_menus.PreviewMode->setChecked(m_session.View().PreviewMode());
  m_menus.CheckerboardBG->setChecked(m_session.View().Checkerboard());

  const bool undo = m_paletteEditing.UndoEnabled();
  m_menus.UndoPal->setEnabled(undo);
  if (PaletteWindow* palette = m_palette.Window()) palette->UndoButton()->setEnabled(undo);
  const QString paletteCaption = ShowHideCaption(m_palette.Shown(), QStringLiteral("Palette"));
  m_menus.ViewPalette->setText(paletteCaption);
  m_menus.ViewPaletteM->setText(paletteCaption);
  m_bars.Palette->setChecked(m_palette.Shown());

  SetEnabled({m_bars.Actions, m_menus.ViewActionM, m_bars.Action}, m_session.Actions().Act() != nullptr);
  m_menus.ExportAct->setEnabled(m_session.Actions().Act() != nullptr &&
                                Preview::FrameCount(m_session.Document().Sprite()) > 0 && !m_session.Busy());
  const QString actionsCaption = ShowHideCaption(m_actionsShown, QStringLiteral("Actions"));
  m_menus.ViewAction->setText(actionsCaption);
  m_menus.ViewActionM->setText(actionsCaption);
  const bool playing = m_session.Playback().Playing();
  m_bars.Play->setChecked(playing);
  m_bars.Pause->setChecked(!playing);
}

void MainWindow::ShowPosition() {
  m_sizePanel->setText(m_session.Playback().SizeText());
  m_positionPanel->setText(m_session.Playback().PositionText());
}

void MainWindow::ShowRate() { m_fpsPanel->setText(FpsText(m_session.Playback().Interval())); }

void MainWindow::ShowModified() {
  m_modifiedPanel->setText(m_session.Document().Modified() ? QStringLiteral("Modified") : QString());
}

void MainWindow::ShowRecentFiles() {
  const QStringList& paths = m_session.Recent().Paths();
  for (int i = 0; i < paths.size(); ++i) {
    QAction* item = RecentFilesItem(m_menus, i);
    // A caption marks its shortcut letter with "&"; a path shows every "&" it has.
    item->setText(QString(paths[i]).replace(QLatin1Char('&'), QStringLiteral("&&")));
    item->setVisible(true);
    item->setEnabled(true);
  }
}

}  // namespace tessaloom
