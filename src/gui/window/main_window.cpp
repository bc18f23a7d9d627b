#include "gui/window/main_window.h"

#include <QCloseEvent>
#include <QDockWidget>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <functional>

#include "core/actions/tool_act.h"
#include "core/convert/picture_loader.h"
#include "gui/state/dialog.h"
#include "gui/state/messages.h"
#include "gui/state/session.h"
#include "gui/state/status_texts.h"
#include "gui/widgets/actions_window.h"
#include "gui/widgets/canvas_view.h"
#include "gui/widgets/chrome.h"
#include "gui/widgets/frame_strip.h"

namespace tessaloom {
namespace {

constexpr int kStartWidth = 720;
constexpr int kStartHeight = 540;

}  // namespace

MainWindow::MainWindow(Session& session, Dialog& dialog, Messages& messages, QWidget* parent)
    : QMainWindow(parent),
      m_session(session),
      m_dialog(dialog),
      m_messages(messages),
      m_paletteEditing(session, dialog),
      m_palette(session, m_paletteEditing, dialog, messages),
      m_files(session, m_palette, dialog, messages),
      m_frames(session, m_palette, m_paletteEditing, dialog, messages),
      m_exports(session, dialog, messages),
      m_transport(session) {
  setObjectName(QStringLiteral("Spr"));
  setWindowIcon(AppIcon());
  setContextMenuPolicy(Qt::NoContextMenu);
  m_menus = BuildMainMenus(*menuBar(), *this);
  m_bars = BuildMainToolbars(*this);
  m_canvas = new CanvasView(session, this);
  setCentralWidget(m_canvas);
  BuildFrameStrip();
  BuildStatusBar();
  ConnectCommands();
  ConnectViewCommands();
  ConnectTransport();
  ConnectSession();
  UpdateActions();
  ShowRecentFiles();
  resize(kStartWidth, kStartHeight);
}

void MainWindow::BuildFrameStrip() {
  auto* strip = new FrameStrip(m_session, this);
  auto* dock = new QDockWidget(QStringLiteral("Frames"), this);
  dock->setObjectName(QStringLiteral("FrameStripDock"));
  dock->setWidget(strip);
  addDockWidget(Qt::BottomDockWidgetArea, dock);
  // A click goes to the frame in sprite mode; action mode keeps its clip.
  connect(strip, &FrameStrip::frameChosen, this, [this](int number) {
    PlaybackState& playback = m_session.Playback();
    if (!playback.ActionMode()) playback.StepTo(number, playback.FrameListCount());
  });
  connect(strip, &FrameStrip::moveRequested, this,
          m_session.HeldOffWhileBusy([this](int number, int to) { m_session.Document().MoveFrame(number, to); }));
}

void MainWindow::BuildStatusBar() {
  QStatusBar& bar = *statusBar();
  bar.setObjectName(QStringLiteral("FrameInfo"));
  bar.setSizeGripEnabled(false);
  m_sizePanel = AddStatusPanel(bar, "FrameInfoPanel1", m_session.Playback().SizeText(), 1);
  m_positionPanel = AddStatusPanel(bar, "FrameInfoPanel2", m_session.Playback().PositionText(), 1);
  m_fpsPanel = AddStatusPanel(bar, "FrameInfoPanel3", FpsText(m_session.Playback().Interval()), 0);
  m_modifiedPanel = AddStatusPanel(bar, "ModifiedPanel", QString(), 0);
  QLabel* pixelPanel = AddStatusPanel(bar, "PixelPanel", {}, 1);
  connect(m_canvas, &CanvasView::pixelHovered, pixelPanel, &QLabel::setText);
}

template <class Command>
void MainWindow::ConnectEdit(std::initializer_list<QAction*> items, Command command) {
  for (QAction* item : items) connect(item, &QAction::triggered, this, m_session.HeldOffWhileBusy(command));
}

// The commands that change or write the sprite wait while an animated export lets
// window events run.
void MainWindow::ConnectCommands() {
  ConnectEdit({m_menus.NewFile}, [this] { m_files.NewFile(); });
  ConnectEdit({m_menus.OpenFile, m_bars.Open}, [this] { m_files.OpenFile(); });
  connect(m_menus.OpenRecentFile, &QMenu::triggered, this,
          m_session.HeldOffWhileBusy([this](QAction* item) { m_files.OpenRecent(item->data().toInt()); }));
  connect(m_canvas, &CanvasView::fileDropped, this, m_session.HeldOffWhileBusy([this](const QString& path) { Drop(path); }));
  ConnectEdit({m_menus.Save, m_bars.Save}, [this] { m_files.Save(); });
  ConnectEdit({m_menus.AddFrame, m_bars.Add}, [this] { m_frames.AddFrame(); });
  ConnectEdit({m_menus.DeleteFrame, m_bars.Sub}, [this] { m_frames.DeleteFrame(); });
  ConnectEdit({m_menus.MoveLeft}, [this] { m_frames.MoveFrame(-1); });
  ConnectEdit({m_menus.MoveRight}, [this] { m_frames.MoveFrame(+1); });
  QUndoStack& edits = m_session.Document().FrameEdits();
  ConnectEdit({m_menus.UndoEdit}, [&edits] { edits.undo(); });
  ConnectEdit({m_menus.RedoEdit}, [&edits] { edits.redo(); });
  connect(&edits, &QUndoStack::indexChanged, this, &MainWindow::UpdateActions);
  connect(&edits, &QUndoStack::cleanChanged, this, &MainWindow::UpdateActions);
  ConnectEdit({m_menus.ExportFrame, m_bars.Export, m_bars.ExpCur}, [this] { m_exports.ExportFrame(); });
  ConnectEdit({m_menus.ExportAll, m_bars.ExpAll}, [this] { m_exports.ExportAll(); });
  ConnectEdit({m_menus.ExportAct}, [this] { m_exports.ExportAction(); });
  ConnectEdit({m_menus.ImportPal}, [this] { m_palette.ImportPal(); });
  ConnectEdit({m_menus.UndoPal}, [this] { m_paletteEditing.Undo(); });
  connect(m_menus.ExportPal, &QAction::triggered, this, [this] { m_palette.ExportPal(); });
  connect(m_menus.ReloadPal, &QAction::triggered, this, [this] { m_palette.LoadPalette(); });
  for (QAction* view : {m_menus.ViewPalette, m_menus.ViewPaletteM, m_bars.Palette})
    connect(view, &QAction::triggered, this, [this] { m_palette.ToggleShown(); });
  connect(m_menus.ImportAct, &QAction::triggered, this, &MainWindow::ImportAct);
  connect(m_menus.ReloadAct, &QAction::triggered, this, [this] { EnsureActionsWindow().LoadAnimation(); });
  for (QAction* view : {m_menus.ViewAction, m_menus.ViewActionM, m_bars.Actions})
    connect(view, &QAction::triggered, this, &MainWindow::ToggleActions);
  connect(m_menus.About, &QAction::triggered, this, &MainWindow::ShowAbout);
  connect(m_menus.Quit, &QAction::triggered, this, &QWidget::close);
  connect(m_menus.KeyboardShortcuts, &QAction::triggered, this, &MainWindow::ShowKeyboardShortcuts);
  connect(m_canvas, &CanvasView::rightButtonPressed, this, [this](const QPoint& at) { m_menus.Submenu->popup(at); });
}

void MainWindow::ConnectViewCommands() {
  ViewState& view = m_session.View();
  for (QAction* zoomIn : {m_menus.ZoomIn, m_bars.ZoomIn})
    connect(zoomIn, &QAction::triggered, this, [&view] { view.ZoomIn(); });
  for (QAction* zoomOut : {m_menus.ZoomOut, m_bars.ZoomOut})
    connect(zoomOut, &QAction::triggered, this, [&view] { view.ZoomOut(); });
  // The wheel goes through the menu items, so it stops where they are disabled.
  connect(m_canvas, &CanvasView::zoomWheeled, this,
          [this](int direction) { (direction > 0 ? m_menus.ZoomIn : m_menus.ZoomOut)->trigger(); });
  connect(m_menus.UseTransparency, &QAction::triggered, this, [&view](bool on) { view.SetTransparencyOn(on); });
  connect(m_menus.PreviewMode, &QAction::triggered, this, [&view](bool on) { view.SetPreviewMode(on); });
  connect(m_menus.SetBG, &QAction::triggered, this, &MainWindow::SetBackground);
  connect(m_menus.CheckerboardBG, &QAction::triggered, this, [&view](bool on) { view.SetCheckerboard(on); });
}

void MainWindow::ConnectTransport() {
  PlaybackState& playback = m_session.Playback();
  // The check buttons' states are the transport's before any click is handled.
  connect(m_bars.Action, &QAction::toggled, this, [&playback](bool on) { playback.SetActionMode(on); });
  connect(m_bars.Loop, &QAction::toggled, this, [&playback](bool on) { playback.SetLooping(on); });
  connect(m_bars.RepBar, &QToolBar::actionTriggered, this,
          [this](QAction* button) { m_transport.Click(static_cast<TransportButton>(button->data().toInt())); });
  connect(&playback, &PlaybackState::ticked, this, [this] { m_transport.Tick(); });
  // A disabled button ignores the trigger, as it ignores a click.
  connect(m_bars.PlayOrPause, &QAction::triggered, this,
          [this, &playback] { (playback.Playing() ? m_bars.Pause : m_bars.Play)->trigger(); });
  connect(m_canvas, &CanvasView::drawFailed, this, &MainWindow::ShowDrawFailure);
}

void MainWindow::ConnectSession() {
  const DocumentState& document = m_session.Document();
  for (auto changed : {&DocumentState::loaded, &DocumentState::cleared})
    connect(&document, changed, this, &MainWindow::UpdateActions);
  connect(&document, &DocumentState::framesEdited, this, &MainWindow::UpdateActions);
  connect(&m_session, &Session::activityChanged, this, &MainWindow::UpdateActions);
  connect(&m_session, &Session::spriteCommandsChanged, this, &MainWindow::UpdateActions);
  connect(&m_session.View(), &ViewState::zoomChanged, this, &MainWindow::UpdateActions);
  connect(&m_session.View(), &ViewState::changed, this, &MainWindow::UpdateActions);
  connect(&m_session.View(), &ViewState::previewModeChanged, this, &MainWindow::UpdateActions);
  connect(&m_session.Actions(), &ActionState::actReplaced, this, &MainWindow::UpdateActions);
  connect(&m_session.Playback(), &PlaybackState::playingChanged, this, &MainWindow::UpdateActions);
  connect(&m_paletteEditing, &PaletteEditing::undoEnabledChanged, this, &MainWindow::UpdateActions);
  connect(&m_palette, &PaletteCommands::windowChanged, this, &MainWindow::UpdateActions);
  connect(&m_session.Playback(), &PlaybackState::positionChanged, this, &MainWindow::ShowPosition);
  connect(&m_session.Playback(), &PlaybackState::intervalChanged, this, &MainWindow::ShowRate);
  connect(&m_session.Recent(), &RecentFiles::changed, this, &MainWindow::ShowRecentFiles);
  connect(&document, &DocumentState::modifiedChanged, this, &MainWindow::ShowModified);
}

void MainWindow::RedrawOnWindowEvent() {
  if (m_session.Playback().FrameListCount() != 0) m_canvas->Redraw();
}

void MainWindow::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) RedrawOnWindowEvent();
}

void MainWindow::focusInEvent(QFocusEvent* event) {
  QMainWindow::focusInEvent(event);
  RedrawOnWindowEvent();
}

// While a file is written the prompt's own Save could not run, so closing then goes
// on as it always did.
void MainWindow::closeEvent(QCloseEvent* event) {
  if (!m_session.Busy() && !m_files.ConfirmReplace()) {
    event->ignore();
    return;
  }
  m_palette.CloseWindow();
  QMainWindow::closeEvent(event);
}

// Playing stops before the message, which would otherwise come back on every tick.
void MainWindow::ShowDrawFailure(const Error& error) {
  PlaybackState& playback = m_session.Playback();
  if (playback.Playing()) playback.Stop();
  m_messages.Show(MessageFromError(error, MessageIcon::None));
}

// A file that is not a readable picture is reported and the previous background stays.
void MainWindow::SetBackground() {
  const QString path = m_dialog.AskOpen(QStringLiteral("Set background ...."), QStringLiteral("Bmp File |*.bmp"));
  if (path.isEmpty()) return;
  Result<Image> picture = Converter_Png::LoadPicture(FsPath(path));
  if (!picture) {
    m_messages.Show(MessageFromError(picture.error()));
    return;
  }
  m_session.View().SetBackgroundPicture(std::move(*picture));
}

// A file that cannot be read is reported and the loaded file, if any, stays.
void MainWindow::ImportAct() {
  const QString path =
      m_dialog.AskOpen(QStringLiteral("Import Actions ...."), QStringLiteral("Ragnarok Action File |*.act"));
  if (!path.isEmpty()) ImportActFrom(path);
}

void MainWindow::ImportActFrom(const QString& path) {
  Result<ActData> read = Tool_Act::ReadActFile(FsPath(path));
  if (!read) {
    m_messages.Show(MessageFromError(read.error()));
    return;
  }
  m_session.Actions().ReplaceAct(std::move(*read));
}

// An action file, a palette or a bitmap goes where its menu item would take it, when
// that item is enabled; anything else is opened as a sprite.
void MainWindow::Drop(const QString& path) {
  const QString extension = QFileInfo(path).suffix().toLower();
  const struct {
    const char* extension;
    QAction* item;
    std::function<void()> command;
  } kinds[] = {{"act", m_menus.ImportAct, [&] { ImportActFrom(path); }},
               {"pal", m_menus.ImportPal, [&] { m_palette.ImportPalFrom(path); }},
               {"bmp", m_menus.AddFrame, [&] { m_frames.AddFrameFrom(path); }}};
  for (const auto& kind : kinds) {
    if (extension != QLatin1String(kind.extension)) continue;
    if (kind.item->isEnabled()) kind.command();
    return;
  }
  m_files.OpenDropped(path);
}

ActionsWindow& MainWindow::EnsureActionsWindow() {
  if (!m_actions) {
    m_actions = new ActionsWindow(m_session.Actions(), this);
    // The next window starts afresh, with the first action current.
    connect(m_actions, &ActionsWindow::closed, this, [this] {
      m_actions = nullptr;
      m_session.Actions().SetCurrentAction(0);
      SetActionsShown(false);
    });
  }
  return *m_actions;
}

void MainWindow::ToggleActions() {
  if (m_actionsShown) {
    if (m_actions) m_actions->hide();
    SetActionsShown(false);
    return;
  }
  EnsureActionsWindow().show();
  SetActionsShown(true);
}

void MainWindow::SetActionsShown(bool shown) {
  m_actionsShown = shown;
  UpdateActions();
}

void MainWindow::ShowAbout() {
  m_messages.Show(Message{
      .Text = QStringLiteral("Tessaloom+ " TESSALOOM_VERSION ", made by its developers, with thanks to everyone who "
                             "sent in a sprite that would not open."),
      .Title = QStringLiteral("About...")});
}

// Read from the actions themselves, so the list always tells the keys that work.
void MainWindow::ShowKeyboardShortcuts() {
  const std::pair<const char*, const QAction*> commands[] = {
      {"Open a sprite", m_menus.OpenFile},      {"Save", m_menus.Save},
      {"Add a frame", m_menus.AddFrame},        {"Delete the frame", m_menus.DeleteFrame},
      {"Show the palette", m_menus.ViewPaletteM}, {"Zoom in", m_menus.ZoomIn},
      {"Zoom out", m_menus.ZoomOut},            {"First frame", m_bars.First},
      {"Previous frame", m_bars.Prev},          {"Next frame", m_bars.Next},
      {"Last frame", m_bars.Last},              {"Play or pause", m_bars.PlayOrPause},
      {"Quit", m_menus.Quit}};
  QStringList lines;
  for (const auto& [what, action] : commands) {
    QStringList keys;
    for (const QKeySequence& key : action->shortcuts()) keys << key.toString(QKeySequence::NativeText);
    lines << QString::fromLatin1(what) + QStringLiteral(": ") + keys.join(QStringLiteral(", "));
  }
  m_messages.Show(Message{.Text = lines.join(QLatin1Char('\n')), .Title = QStringLiteral("Keyboard Shortcuts")});
}

}  // namespace tessaloom
