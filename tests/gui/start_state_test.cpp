// The main window as it starts: menus, toolbars, status bar, canvas and layout.

#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>

#include "gui/render/spr_bg.h"
#include "core/render/view_settings.h"
#include "window_fixture.h"

namespace tessaloom {
namespace {

struct ItemState {
  const char* name;
  const char* caption;
  QKeySequence shortcut;
  bool enabled = true;
  bool visible = true;
  bool checked = false;
};

QStringList NamesOf(const QList<QAction*>& actions) {
  QStringList names;
  for (const QAction* action : actions) names << action->objectName();
  return names;
}

TEST_F(WindowTest, MenusStartWithTheirCaptionsShortcutsAndStates) {
  EXPECT_EQ(m_window->windowTitle(), "Tessaloom+");
  const ItemState items[] = {
      {"NewFile", "New", {}},
      {"OpenFile", "Open File", QKeySequence("Ctrl+F")},
      {"RecentFiles", "None", {}, false},
      {"Save", "Save", QKeySequence("Ctrl+S"), false},
      {"Saveas", "Save as", {}, false},
      // A hidden item cannot be chosen, so Qt reports it disabled as well.
      {"Exit", "Exit", {}, false, false},
      {"AddFrame", "Add", QKeySequence("Ctrl+A")},
      {"DeleteFrame", "Delete", QKeySequence("Ctrl+D"), false},
      {"ExportFrame", "Export frame ...", {}},
      {"ExportAll", "Export all ...", {}},
      {"UndoPal", "Undo", {}, false},
      {"RedoPal", "Redo", {}, false, false},
      {"ExportPal", "Export", {}},
      {"ImportPal", "Import", {}},
      {"ViewPaletteM", "Show Palette", QKeySequence("Ctrl+P")},
      {"ExportAct", "Export", {}},
      {"ImportAct", "Import", {}},
      {"ViewActionM", "Show Actions", {}, false},
      {"ZoomOut", "Out", QKeySequence("Ctrl+O"), false},
      {"ZoomIn", "In", QKeySequence("Ctrl+L")},
      {"UseTransparency", "Use transparency", {}, true, true, true},
      {"PreviewMode", "Preview Mode", {}, false, true, true},
      {"SetBG", "Set background...", {}},
      {"About", "About", {}},
      {"ReloadAct", "Reload Actions", {}},
      {"ViewAction", "Show Actions", {}, false},
      {"ReloadPal", "Reload Palette", {}},
      {"ViewPalette", "Show Palette", {}, false},
  };
  for (const ItemState& item : items) {
    SCOPED_TRACE(item.name);
    const QAction* action = Action(item.name);
    ASSERT_NE(action, nullptr);
    EXPECT_EQ(action->text(), item.caption);
    EXPECT_EQ(action->shortcut(), item.shortcut);
    EXPECT_EQ(action->isEnabled(), item.enabled);
    EXPECT_EQ(action->isVisible(), item.visible);
    EXPECT_EQ(action->isChecked(), item.checked);
  }

  EXPECT_EQ(NamesOf(m_window->menuBar()->actions()),
            QStringList({"OpenMenu", "FrameMenu", "PaletteMenu", "ActionsMenu", "ZoomMenu", "options", "About"}));
  EXPECT_FALSE(Menu("PaletteMenu")->menuAction()->isEnabled());
  EXPECT_FALSE(Menu("ZoomMenu")->menuAction()->isEnabled());
  EXPECT_EQ(Menu("options")->title(), "Options");
  EXPECT_EQ(NamesOf(Menu("OpenMenu")->actions()),
            QStringList({"NewFile", "g0", "OpenFile", "OpenRecentFile", "g1", "Save", "Saveas", "Exit"}));
  EXPECT_EQ(NamesOf(Menu("PaletteMenu")->actions()),
            QStringList({"UndoPal", "RedoPal", "g3", "ExportPal", "ImportPal", "g4", "ViewPaletteM"}));
  for (const char* separator : {"g0", "g1", "g2", "g3", "g4", "g5", "g6", "g7"}) {
    EXPECT_TRUE(Action(separator)->isSeparator()) << separator;
  }
}

TEST_F(WindowTest, ToolbarsStartWithTheirKeysTooltipsAndStates) {
  struct Button {
    const char* key;
    const char* toolTip;
    bool enabled;
  };
  const auto* sprBar = m_window->findChild<QToolBar*>("SprBar");
  const Button sprButtons[] = {{"Open", "Open File", true},        {"Save", "Save Spr", false},
                               {nullptr, nullptr, true},           {"Export", "Export a frame(s)", true},
                               {"Add", "Add a frame", true},       {"Sub", "Delete a  frame", true},
                               {nullptr, nullptr, true},           {"Palette", "View Palette", false},
                               {"Actions", "View Actions", false}, {nullptr, nullptr, true},
                               {"ZoomIn", "Zoom In", false},       {"ZoomOut", "Zoom Out", false}};
  ASSERT_EQ(sprBar->actions().size(), std::size(sprButtons));
  for (std::size_t i = 0; i < std::size(sprButtons); ++i) {
    const QAction* action = sprBar->actions()[static_cast<qsizetype>(i)];
    SCOPED_TRACE(i + 1);
    EXPECT_EQ(action->isSeparator(), sprButtons[i].key == nullptr);
    if (!sprButtons[i].key) continue;
    EXPECT_EQ(action->data().toString(), sprButtons[i].key);
    EXPECT_EQ(action->toolTip(), sprButtons[i].toolTip);
    EXPECT_EQ(action->isEnabled(), sprButtons[i].enabled);
  }
  EXPECT_EQ(NamesOf(Action("Export")->menu()->actions()), QStringList({"ExpCur", "ExpAll"}));
  EXPECT_EQ(Action("ExpCur")->text(), "Current Frame");
  EXPECT_EQ(Action("ExpAll")->text(), "All frames");

  const auto* repBar = m_window->findChild<QToolBar*>("RepBar");
  EXPECT_FALSE(repBar->isEnabled());
  EXPECT_EQ(NamesOf(repBar->actions()),
            QStringList({"", "Action", "Sound", "", "First", "Prev", "Next", "Last", "", "Play", "Pause", "", "Loop"}));
  EXPECT_EQ(Action("Action")->toolTip(), "Use Act File");
  EXPECT_FALSE(Action("Action")->isEnabled());
  EXPECT_EQ(Action("Prev")->toolTip(), "Previous frame");
  EXPECT_EQ(Action("Loop")->toolTip(), "Loop animation");
  EXPECT_TRUE(Action("Pause")->isChecked());
  for (const char* check : {"Action", "Sound", "Play", "Loop"}) {
    EXPECT_TRUE(Action(check)->isCheckable()) << check;
    EXPECT_FALSE(Action(check)->isChecked()) << check;
  }
}

TEST_F(WindowTest, StatusBarCanvasAndZoomIndicatorStartAndKeepTheirPlaces) {
  EXPECT_EQ(PanelText(1), "Size : ");
  EXPECT_EQ(PanelText(2), "Frame : 0/0");
  EXPECT_EQ(PanelText(3), "FPS:   8");
  EXPECT_EQ(m_window->PaletteWindow(), nullptr);
  EXPECT_EQ(CanvasCount(kCanvasColor), CanvasImage().Width * CanvasImage().Height);
  EXPECT_EQ(m_window->Canvas().View().pixel(3, 3), ToArgb(kCanvasColor));

  m_window->resize(900, 700);
  QApplication::processEvents();
  const SprBG& canvas = m_window->Canvas();
  EXPECT_EQ(canvas.width(), m_window->width());
  EXPECT_EQ(CanvasImage().Width, canvas.width());
  EXPECT_EQ(CanvasImage().Height, canvas.height());
  const auto* label = m_window->findChild<QLabel*>("ZoomIndicator");
  const auto* shadow = m_window->findChild<QLabel*>("ZoomIndicatorShd");
  for (const QLabel* zoom : {label, shadow}) {
    EXPECT_EQ(zoom->text(), "x1");
    EXPECT_TRUE(zoom->font().bold());
    EXPECT_EQ(zoom->font().pointSize(), 9);
  }
  // At the lower right of the canvas, the black shadow one pixel below and right.
  EXPECT_EQ(label->parentWidget(), &canvas);
  EXPECT_EQ(label->pos(), QPoint(canvas.width() - label->width() - 4, canvas.height() - label->height() - 30));
  EXPECT_EQ(shadow->pos(), label->pos() + QPoint(1, 1));
  EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(Qt::white));
  EXPECT_EQ(shadow->palette().color(QPalette::WindowText), QColor(Qt::black));
}

TEST_F(WindowTest, ShortcutsWorkOnlyInMenusThatAreEnabled) {
  m_window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
  QTest::keyClick(m_window.get(), Qt::Key_L, Qt::ControlModifier);
  QTest::keyClick(m_window.get(), Qt::Key_P, Qt::ControlModifier);
  EXPECT_EQ(m_session->ZoomStep(), 3);
  EXPECT_EQ(m_window->PaletteWindow(), nullptr);

  m_dialog.AnswerCancel();
  QTest::keyClick(m_window.get(), Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(m_dialog.Requests().size(), 1u);

  OpenByDialog(WriteSprite("a.spr", TestSprite(1)));
  QTest::keyClick(m_window.get(), Qt::Key_L, Qt::ControlModifier);
  EXPECT_EQ(m_session->ZoomStep(), 4);
}

TEST_F(WindowTest, ItemsWithoutCommandsChangeNothing) {
  for (const char* name : {"Export", "ExpCur", "ExpAll", "Sub", "Saveas", "ExportAct", "Exit", "PreviewMode"}) {
    Action(name)->trigger();
  }
  EXPECT_TRUE(m_dialog.Requests().empty());
  EXPECT_TRUE(m_messages.Shown().empty());
  EXPECT_EQ(m_window->windowTitle(), "Tessaloom+");
  EXPECT_EQ(PanelText(2), "Frame : 0/0");
}

TEST_F(WindowTest, RightButtonOnTheCanvasOpensThePopupAndTheLeftDoesNot) {
  QMenu* popup = Menu("submenu");
  EXPECT_EQ(NamesOf(popup->actions()), QStringList({"ReloadAct", "ViewAction", "g7", "ReloadPal", "ViewPalette"}));
  EXPECT_FALSE(m_window->menuBar()->actions().contains(popup->menuAction()));

  QTest::mouseClick(&m_window->Canvas(), Qt::LeftButton, {}, QPoint(20, 20));
  EXPECT_FALSE(popup->isVisible());
  QTest::mouseClick(&m_window->Canvas(), Qt::RightButton, {}, QPoint(20, 20));
  EXPECT_TRUE(popup->isVisible());
  popup->close();
}

TEST_F(WindowTest, AboutShowsAOneLineCreditsNotice) {
  Action("About")->trigger();
  ASSERT_EQ(m_messages.Shown().size(), 1u);
  const Message& about = m_messages.Shown().front();
  EXPECT_EQ(about.Title, "About...");
  EXPECT_EQ(about.Icon, MessageIcon::None);
  EXPECT_FALSE(about.Text.isEmpty() || about.Text.contains('\n'));
}

}  // namespace
}  // namespace tessaloom
