// The main window as it starts: the states of its menu items and buttons; the canvas
// popup, the About notice and the list of keys.

#include <QTest>

#include "gui/widgets/canvas_view.h"
#include "window_fixture.h"

namespace tessaloom {
namespace {

TEST_F(WindowTest, ItemsAndButtonsStartInTheirStatesAndTheCanvasOpensThePopup) {
  EXPECT_EQ(Action("DeleteFrame")->shortcut(), QKeySequence("Ctrl+D"));
  // A hidden item is reported disabled as well.
  EXPECT_EQ(Enabled({"RecentFiles", "Save", "Saveas", "Exit", "DeleteFrame", "UndoPal", "RedoPal", "ViewActionM",
                     "ZoomOut", "ExportAct", "ViewAction", "ViewPalette", "SaveButton", "Palette", "Actions",
                     "ZoomInButton", "ZoomOutButton", "Action", "PaletteMenu", "ZoomMenu", "RepBar"}),
            QStringList{});
  QStringList shown;
  for (const char* name : {"Exit", "RedoPal", "UseTransparency", "PreviewMode", "Pause", "Loop"})
    shown << QStringLiteral("%1 %2").arg(Action(name)->isVisible()).arg(Action(name)->isChecked());
  EXPECT_EQ(shown, (QStringList{"0 0", "0 0", "1 1", "1 0", "1 1", "1 0"}));
  // The images come from the SVG resources.
  EXPECT_FALSE(Action("Loop")->icon().pixmap(16).isNull());

  // The right button on the canvas opens the popup; About shows its notice.
  QMenu* popup = Menu("submenu");
  QTest::mouseClick(&m_window->Canvas(), Qt::RightButton, {}, QPoint(20, 20));
  EXPECT_TRUE(popup->isVisible());
  popup->close();

  Trigger("About");
  EXPECT_TRUE(LastMessage(1, "About...", "Tessaloom+ " TESSALOOM_TEST_VERSION ","));
  Trigger("KeyboardShortcuts");
  EXPECT_TRUE(LastMessage(2, "Keyboard Shortcuts", "Zoom in: Ctrl+L, Ctrl++, Ctrl+="));
  EXPECT_TRUE(LastMessage(2, "Keyboard Shortcuts", "Play or pause: Space"));
}

}  // namespace
}  // namespace tessaloom
