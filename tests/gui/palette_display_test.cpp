// The palette window's cells, filled by LoadPalette, and showing and hiding it.

#include <QApplication>

#include "gui/palette/pal_color.h"
#include "gui/palette/spr_pal.h"
#include "window_fixture.h"

namespace tessaloom {
namespace {

TEST_F(WindowTest, PaletteCellsShowEveryEntryWithItsNumbers) {
  SprDocument sprite = TestSprite(1);
  // Entry 3 stored as blue 10, green 20, red 30.
  sprite.Header.Palette[12] = 10;
  sprite.Header.Palette[13] = 20;
  sprite.Header.Palette[14] = 30;
  OpenByDialog(WriteSprite("a.spr", sprite));
  SprPal* palette = m_window->PaletteWindow();
  ASSERT_NE(palette, nullptr);
  EXPECT_EQ(palette->windowTitle(), "Palette");
  EXPECT_EQ(palette->findChildren<PalColor*>("PalColor").size(), 256);

  EXPECT_EQ(palette->Cell(3).CellColor(), MakeColor(30, 20, 10));
  EXPECT_EQ(palette->Cell(3).toolTip(), " 30, 20, 10");
  EXPECT_EQ(palette->Cell(0).toolTip(), " 255, 0, 255");
  EXPECT_EQ(palette->Cell(255).CellColor(), TestPaletteColor(255));

  // Sixteen to a row, row 0 at the top, with a gap between neighbours.
  const QPoint origin = palette->Cell(0).pos();
  EXPECT_EQ(palette->Cell(1).pos(), origin + QPoint(16, 0));
  EXPECT_EQ(palette->Cell(16).pos(), origin + QPoint(0, 16));
  EXPECT_EQ(palette->Cell(255).pos(), origin + QPoint(15 * 16, 15 * 16));
  EXPECT_LT(palette->Cell(0).width(), 16);
  EXPECT_EQ(palette->Cell(0).parentWidget()->objectName(), "PalContainer");
}

TEST_F(WindowTest, ShowPaletteFillsTheCellsOnceAndTogglesItsCaptions) {
  OpenByDialog(WriteSprite("a.spr", TestSprite(2)));
  SprPal* palette = m_window->PaletteWindow();
  // A cell changed after the load shows that showing again does not refill.
  palette->Cell(4).SetCellColor(MakeColor(1, 1, 1));
  Action("ViewPaletteM")->trigger();
  EXPECT_TRUE(palette->isVisible());
  EXPECT_EQ(palette->Cell(4).CellColor(), TestPaletteColor(4));
  EXPECT_EQ(Action("ViewPaletteM")->text(), "Hide Palette");
  EXPECT_EQ(Action("ViewPalette")->text(), "Hide Palette");
  EXPECT_TRUE(Action("Palette")->isChecked());

  palette->Cell(4).SetCellColor(MakeColor(1, 1, 1));
  Action("ViewPalette")->trigger();
  EXPECT_FALSE(palette->isVisible());
  EXPECT_EQ(Action("ViewPaletteM")->text(), "Show Palette");
  EXPECT_FALSE(Action("Palette")->isChecked());
  Action("Palette")->trigger();
  EXPECT_TRUE(palette->isVisible());
  EXPECT_EQ(palette->Cell(4).CellColor(), MakeColor(1, 1, 1));

  // Its close box resets the captions and discards it; the next use makes it anew.
  palette->close();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(m_window->PaletteWindow(), nullptr);
  EXPECT_EQ(Action("ViewPaletteM")->text(), "Show Palette");
  EXPECT_EQ(Action("ViewPalette")->text(), "Show Palette");
  EXPECT_FALSE(Action("Palette")->isChecked());
  Action("ViewPaletteM")->trigger();
  ASSERT_NE(m_window->PaletteWindow(), nullptr);
  EXPECT_TRUE(m_window->PaletteWindow()->isVisible());
  EXPECT_EQ(m_window->PaletteWindow()->Cell(4).CellColor(), TestPaletteColor(4));

  // Closing the main window closes it too.
  m_window->close();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(m_window->PaletteWindow(), nullptr);
  EXPECT_TRUE(m_messages.Shown().empty());
}

TEST_F(WindowTest, AnEmptyPaletteIsReportedAndTheCellsKeepTheirColours) {
  Action("ViewPaletteM")->trigger();
  ASSERT_EQ(m_messages.Shown().size(), 1u);
  EXPECT_EQ(m_messages.Shown()[0], (Message{.Text = "This palette is empty",
                                            .Title = "Palettte empty",
                                            .Icon = MessageIcon::Information}));
  ASSERT_NE(m_window->PaletteWindow(), nullptr);
  EXPECT_TRUE(m_window->PaletteWindow()->isVisible());
  EXPECT_EQ(m_window->PaletteWindow()->Cell(0).CellColor(), kCanvasColor);
  EXPECT_EQ(m_window->PaletteWindow()->Cell(255).CellColor(), kCanvasColor);
}

}  // namespace
}  // namespace tessaloom
