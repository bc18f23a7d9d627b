// The main window's controls drawn from the session, each when its part changes.

#include <QMenu>
#include <QToolBar>

#include "gui/app/session.h"
#include "gui/app/spr.h"
#include "gui/render/spr_bg.h"

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

}  // namespace

void Spr::ShowPosition() {
  m_sizePanel->setText(m_session.SizeText());
  m_positionPanel->setText(m_session.PositionText());
}

void Spr::ShowZoom() {
  m_canvas->SetZoomText(m_session.ZoomText());
  m_menus.ZoomIn->setEnabled(m_session.ZoomInEnabled());
  m_menus.ZoomOut->setEnabled(m_session.ZoomOutEnabled());
}

void Spr::ShowViewChecks() { m_menus.UseTransparency->setChecked(m_session.TransparencyOn()); }

void Spr::ShowRecentFiles() {
  const QStringList& paths = m_session.RecentFiles();
  for (int i = 0; i < paths.size(); ++i) {
    QAction* item = RecentFilesItem(m_menus, i);
    // A caption marks its shortcut letter with "&"; a path shows every "&" it has.
    item->setText(QString(paths[i]).replace(QLatin1Char('&'), QStringLiteral("&&")));
    item->setVisible(true);
    item->setEnabled(true);
  }
}

void Spr::ShowActivity() {
  const Activity activity = m_session.CurrentActivity();
  setWindowTitle(WindowTitle(activity));
  m_menus.OpenFile->setEnabled(activity != Activity::Loading);
  // No new file is opened or added while one is being written.
  for (QAction* button : {m_bars.Open, m_bars.Export, m_bars.Add}) button->setEnabled(activity != Activity::Writing);
}

// The start states come from the menu and toolbar builders; from the first change
// on, these groups follow the session.
void Spr::ShowCommandStates() {
  const bool menus = m_session.SpriteMenusEnabled();
  for (QAction* item : {m_menus.ExportFrame, m_menus.Save, m_menus.Saveas, m_menus.PaletteMenu->menuAction(),
                        m_menus.ZoomMenu->menuAction()})
    item->setEnabled(menus);
  const bool buttons = m_session.SpriteButtonsEnabled();
  for (QAction* button : {m_bars.Save, m_bars.Palette, m_bars.ZoomIn, m_bars.ZoomOut}) button->setEnabled(buttons);
  m_bars.RepBar->setEnabled(m_session.TransportEnabled());
  m_menus.ViewPalette->setEnabled(m_session.TransportEnabled());
}

void Spr::ShowPaletteShown() {
  const bool shown = m_session.PaletteShown();
  const QString caption = shown ? QStringLiteral("Hide Palette") : QStringLiteral("Show Palette");
  m_menus.ViewPalette->setText(caption);
  m_menus.ViewPaletteM->setText(caption);
  m_bars.Palette->setChecked(shown);
}

}  // namespace tessaloom
