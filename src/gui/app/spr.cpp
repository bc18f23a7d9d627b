#include "gui/app/spr.h"

#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

#include "gui/app/bar_icons.h"
#include "gui/app/messages.h"
#include "gui/app/session.h"
#include "gui/app/status_panel.h"
#include "gui/palette/spr_pal.h"
#include "core/render/painter.h"
#include "gui/render/spr_bg.h"
#include "core/render/canvas_drawing.h"

namespace tessaloom {
namespace {

constexpr int kStartWidth = 720;
constexpr int kStartHeight = 540;

}  // namespace

Spr::Spr(Session& session, Dialog& dialog, Messages& messages, QWidget* parent)
    : QMainWindow(parent),
      m_session(session),
      m_messages(messages),
      m_open(session, *this, dialog, messages),
      m_view(session, *this, dialog, messages),
      m_save(session, dialog, messages),
      m_transport(session, *this, [this] { return CurrentAction(); }),
      m_editing(session, *this, dialog, messages) {
  setObjectName(QStringLiteral("Spr"));
  setWindowTitle(QStringLiteral("Tessaloom+"));
  setWindowIcon(AppIcon());
  setContextMenuPolicy(Qt::NoContextMenu);
  m_menus = BuildSprMenus(*menuBar(), *this);
  m_bars = BuildSprToolbars(*this);
  m_canvas = new SprBG(this);
  setCentralWidget(m_canvas);
  BuildStatusBar();
  ConnectCommands();
  ConnectSession();
  ConnectActions(dialog);
  m_editing.Connect(*this, m_menus, m_bars);
  ShowZoom();
  ShowRecentFiles();
  resize(kStartWidth, kStartHeight);
}

Spr::~Spr() { delete m_palette.data(); }

void Spr::BuildStatusBar() {
  QStatusBar& bar = *statusBar();
  bar.setObjectName(QStringLiteral("FrameInfo"));
  bar.setSizeGripEnabled(false);
  m_sizePanel = AddStatusPanel(bar, "FrameInfoPanel1", m_session.SizeText(), 1);
  m_positionPanel = AddStatusPanel(bar, "FrameInfoPanel2", m_session.PositionText(), 1);
  AddStatusPanel(bar, "FrameInfoPanel3", QStringLiteral("FPS:   8"), 0);
}

void Spr::ConnectCommands() {
  // Opening, New and Save wait while an animated export lets window events run.
  connect(m_menus.NewFile, &QAction::triggered, this, [this] {
    if (!m_session.EditsHeldOff()) m_open.NewFile();
  });
  for (QAction* open : {m_menus.OpenFile, m_bars.Open})
    connect(open, &QAction::triggered, this, [this] {
      if (!m_session.EditsHeldOff()) m_open.OpenFile();
    });
  connect(m_menus.OpenRecentFile, &QMenu::triggered, this, [this](QAction* item) {
    if (!m_session.EditsHeldOff()) m_open.OpenRecent(item->data().toInt());
  });
  connect(m_canvas, &SprBG::fileDropped, this, [this](const QString& path) {
    if (!m_session.EditsHeldOff()) m_open.OpenDropped(path);
  });

  for (QAction* save : {m_menus.Save, m_bars.Save})
    connect(save, &QAction::triggered, this, [this] {
      if (!m_session.EditsHeldOff()) m_save.Save();
    });

  for (QAction* zoomIn : {m_menus.ZoomIn, m_bars.ZoomIn})
    connect(zoomIn, &QAction::triggered, this, [this] { m_view.ZoomIn(); });
  for (QAction* zoomOut : {m_menus.ZoomOut, m_bars.ZoomOut})
    connect(zoomOut, &QAction::triggered, this, [this] { m_view.ZoomOut(); });
  connect(m_menus.UseTransparency, &QAction::triggered, this, [this](bool on) { m_view.SetTransparency(on); });
  connect(m_menus.SetBG, &QAction::triggered, this, [this] { m_view.SetBackground(); });

  for (QAction* view : {m_menus.ViewPalette, m_menus.ViewPaletteM, m_bars.Palette})
    connect(view, &QAction::triggered, this, &Spr::TogglePalette);
  connect(m_menus.About, &QAction::triggered, this, &Spr::ShowAbout);

  connect(m_canvas, &SprBG::rightButtonPressed, this, [this](const QPoint& at) { m_menus.Submenu->popup(at); });
  connect(m_canvas, &SprBG::resized, this, &Spr::Refresh);
}

void Spr::ConnectSession() {
  connect(&m_session, &Session::positionChanged, this, &Spr::ShowPosition);
  connect(&m_session, &Session::zoomChanged, this, &Spr::ShowZoom);
  connect(&m_session, &Session::viewChanged, this, &Spr::ShowViewChecks);
  connect(&m_session, &Session::recentFilesChanged, this, &Spr::ShowRecentFiles);
  connect(&m_session, &Session::canvasToolTipChanged, this,
          [this] { m_canvas->setToolTip(m_session.CanvasToolTip()); });
  connect(&m_session, &Session::activityChanged, this, &Spr::ShowActivity);
  connect(&m_session, &Session::commandStatesChanged, this, &Spr::ShowCommandStates);
  connect(&m_session, &Session::paletteShownChanged, this, &Spr::ShowPaletteShown);
}

QSize Spr::ClientSize() const {
  const QWidget* menu = menuWidget();
  return QSize(width(), height() - (menu && menu->isVisible() ? menu->height() : 0));
}

void Spr::DrawFrame(int frame) {
  if (m_session.Transport().ActionMode()) {
    DrawActionFrame(frame);
    return;
  }
  const QSize client = ClientSize();
  DrawSpriteFrame(m_canvas->Canvas(), m_session.Document(), frame, m_session.View(client.width(), client.height()));
  m_canvas->update();
}

void Spr::ClearCanvas() {
  const QSize client = ClientSize();
  Painter::ClearCanvas(m_canvas->Canvas(), m_session.View(client.width(), client.height()));
  m_canvas->update();
}

void Spr::Refresh() {
  if (m_session.FrameCount() != 0) RedrawOnWindowEvent();
  else ClearCanvas();
}

void Spr::RedrawOnWindowEvent() {
  if (m_session.FrameCount() == 0) return;
  if (m_session.Transport().ActionMode()) RedrawClipQuietly(m_session.CurrentFrame());
  else DrawFrame(m_session.CurrentFrame());
}

void Spr::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) RedrawOnWindowEvent();
}

void Spr::focusInEvent(QFocusEvent* event) {
  QMainWindow::focusInEvent(event);
  RedrawOnWindowEvent();
}

void Spr::closeEvent(QCloseEvent* event) {
  if (m_palette) m_palette->close();
  QMainWindow::closeEvent(event);
}

void Spr::ShowAbout() {
  m_messages.Show(Message{
      .Text = QStringLiteral("Tessaloom+, made by its developers, with thanks to everyone who sent in a sprite that "
                             "would not open."),
      .Title = QStringLiteral("About...")});
}

}  // namespace tessaloom
