#pragma once
// What the palette editing tests share: the palette window shown and active (so a
// click gives a cell the focus), clicks and double clicks on its cells as the
// platform delivers them.

#include <QApplication>
#include <QTest>

#include "gui/palette/pal_color.h"
#include "gui/palette/spr_pal.h"
#include "window_fixture.h"

namespace tessaloom {

class PaletteEditTest : public WindowTest {
 protected:
  SprPal& ShowPaletteWindow() {
    if (!m_window->PaletteWindow() || !m_window->PaletteWindow()->isVisible()) Action("ViewPaletteM")->trigger();
    SprPal& palette = *m_window->PaletteWindow();
    palette.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&palette));
    return palette;
  }

  void ClosePaletteWindow() {
    m_window->PaletteWindow()->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  PalColor& Cell(int index) { return m_window->PaletteWindow()->Cell(index); }

  void Click(int index) { QTest::mouseClick(&Cell(index), Qt::LeftButton); }
  // A double click arrives as a click, then the double click itself.
  void DoubleClick(int index) {
    Click(index);
    QTest::mouseDClick(&Cell(index), Qt::LeftButton);
  }
  // Double-clicks cell `index` and chooses `color` in the colour dialog.
  void Edit(int index, Color color) {
    m_dialog.AnswerColor(color);
    DoubleClick(index);
  }

  Color Entry(int index) const {
    return Tool_Spr::PaletteColor(m_session->Document().Header.Palette, static_cast<std::uint8_t>(index));
  }

  static Color Exchanged(Color color) { return MakeColor(BlueOf(color), GreenOf(color), RedOf(color)); }
};

}  // namespace tessaloom
