// The main window as it starts: its title, the captions, shortcuts and states of its
// menu items and buttons, the status bar and the canvas.

#include <QLabel>
#include <QMenuBar>
#include <QTest>
#include <QToolBar>

#include "core/render/view_settings.h"
#include "gui/widgets/canvas_view.h"
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

TEST_F(WindowTest, ItemsAndButtonsStartWithTheirCaptionsShortcutsAndStates) {
  EXPECT_EQ(m_window->windowTitle(), "Tessaloom+");
  const ItemState items[] = {
      {"NewFile", "New", {}}, {"OpenFile", "Open File", QKeySequence("Ctrl+F")}, {"RecentFiles", "None", {}, false},
      {"Save", "Save", QKeySequence("Ctrl+S"), false}, {"Saveas", "Save as", {}, false},
      {"Exit", "Exit", {}, false, false},  // a hidden item is reported disabled as well
      {"AddFrame", "Add", QKeySequence("Ctrl+A")}, {"DeleteFrame", "Delete", QKeySequence("Ctrl+D"), false},
      {"ExportFrame", "Export frame ...", {}}, {"ExportAll", "Export all ...", {}}, {"UndoPal", "Undo", {}, false},
      {"RedoPal", "Redo", {}, false, false}, {"ExportPal", "Export", {}}, {"ImportPal", "Import", {}},
      {"ViewPaletteM", "Show Palette", QKeySequence("Ctrl+P")}, {"ExportAct", "Export", {}},
      {"ImportAct", "Import", {}}, {"ViewActionM", "Show Actions", {}, false},
      {"ZoomOut", "Out", QKeySequence("Ctrl+O"), false}, {"ZoomIn", "In", QKeySequence("Ctrl+L")},
      {"UseTransparency", "Use transparency", {}, true, true, true},
      {"PreviewMode", "Preview Mode", {}, false, true, true}, {"SetBG", "Set background...", {}},
      {"About", "About", {}}, {"ReloadAct", "Reload Actions", {}}, {"ViewAction", "Show Actions", {}, false},
      {"ReloadPal", "Reload Palette", {}}, {"ViewPalette", "Show Palette", {}, false}, {"Open", "Open", {}},
      {"SaveButton", "Save", {}, false}, {"Export", "Export", {}}, {"Add", "Add", {}}, {"Sub", "Sub", {}},
      {"Palette", "Palette", {}, false}, {"Actions", "Actions", {}, false}, {"ZoomInButton", "ZoomIn", {}, false},
      {"ZoomOutButton", "ZoomOut", {}, false}, {"Action", "Action", {}, false},
      {"Pause", "Pause", {}, true, true, true}, {"Loop", "Loop", {}}};
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
  EXPECT_EQ(Enabled({"PaletteMenu", "ZoomMenu", "RepBar"}), QStringList{});
  EXPECT_EQ(NamesOf(m_window->findChild<QToolBar*>("RepBar")->actions()),
            QStringList({"", "Action", "Sound", "", "First", "Prev", "Next", "Last", "", "Play", "Pause", "", "Loop"}));
  EXPECT_EQ(Action("Sub")->toolTip(), "Delete a  frame");
  // The images come from the SVG resources.
  for (const QIcon& icon : {m_window->windowIcon(), Action("Open")->icon(), Action("Loop")->icon()})
    EXPECT_FALSE(icon.pixmap(16).isNull());
  EXPECT_EQ(PanelText(1), "Size : ");
  EXPECT_EQ(PanelText(2), "Frame : 0/0");
  EXPECT_EQ(PanelText(3), "FPS:   8");
  EXPECT_EQ(CanvasCount(kCanvasColor), CanvasImage().Width * CanvasImage().Height);
  EXPECT_EQ(m_window->findChild<QLabel*>("ZoomIndicator")->text(), "x1");
}

TEST_F(WindowTest, ShortcutsWorkOnlyInMenusThatAreEnabled) {
  m_window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
  QTest::keyClick(m_window.get(), Qt::Key_L, Qt::ControlModifier);
  QTest::keyClick(m_window.get(), Qt::Key_P, Qt::ControlModifier);
  EXPECT_EQ(m_session->View().ZoomStep(), 3);
  EXPECT_EQ(m_window->Palette(), nullptr);

  OpenByDialog(WriteSprite("a.spr", TestSprite(1)));
  QTest::keyClick(m_window.get(), Qt::Key_L, Qt::ControlModifier);
  EXPECT_EQ(m_session->View().ZoomStep(), 4);
}

TEST_F(WindowTest, TheRightButtonOnTheCanvasOpensThePopupAndAboutShowsItsNotice) {
  QMenu* popup = Menu("submenu");
  EXPECT_EQ(NamesOf(popup->actions()), QStringList({"ReloadAct", "ViewAction", "g7", "ReloadPal", "ViewPalette"}));
  QTest::mouseClick(&m_window->Canvas(), Qt::LeftButton, {}, QPoint(20, 20));
  EXPECT_FALSE(popup->isVisible());
  QTest::mouseClick(&m_window->Canvas(), Qt::RightButton, {}, QPoint(20, 20));
  EXPECT_TRUE(popup->isVisible());
  popup->close();

  Trigger("About");
  ASSERT_EQ(m_messages.Shown().size(), 1u);
  EXPECT_EQ(m_messages.Shown()[0].Title, "About...");
  EXPECT_EQ(m_messages.Shown()[0].Icon, MessageIcon::None);
}

}  // namespace
}  // namespace tessaloom
