#pragma once
// The palette window: the sprite's 256 palette entries as a 16 x 16 grid of cells,
// entry 0 at the top left, the toolbar `PalTool` (Import, Export, Undo) and the info
// panels `PalInfo`. The palette commands create it hidden on first use and fill
// its cells; closing it discards it, and the next use creates it anew. It only shows:
// what its cells and buttons do is decided by the editor that listens to it.

#include <QMainWindow>
#include <QWidget>
#include <array>
#include <cstdint>
#include <span>

#include "core/sprite/palette.h"

class QAction;
class QFrame;
class QLabel;

namespace tessaloom {

// One cell of the palette grid (`PalColor`): a small square in the colour of its
// palette entry, whose tooltip gives the entry's red, green and blue numbers. A
// click selects it, a double click asks to edit its colour, and the selected cell
// has a border.
class PaletteCell : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kSize = 13;  // pixels; the grid's pitch leaves a gap of 3

  PaletteCell(int index, QWidget* parent);

  Color CellColor() const { return m_color; }
  // The colour and the tooltip that names it.
  void SetCellColor(Color color);
  // A single-line border around the cell.
  bool Bordered() const { return m_bordered; }
  void SetBordered(bool bordered);

 signals:
  // A double click arrives after the click of its first press.
  void clicked(int index);
  void doubleClicked(int index);
  void focused(int index);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  int m_index;
  Color m_color;
  bool m_bordered = false;
};

class PaletteWindow : public QMainWindow {
  Q_OBJECT

 public:
  static constexpr int kColumns = 16;

  explicit PaletteWindow(QWidget* parent = nullptr);

  PaletteCell& Cell(int index) { return *m_cells[static_cast<std::size_t>(index)]; }

  // The toolbar buttons with the keys "Import", "Export" and "Undo".
  QAction* ImportButton() const { return m_import; }
  QAction* ExportButton() const { return m_export; }
  QAction* UndoButton() const { return m_undo; }

  // The two panels of `PalInfo`.
  void ShowInfo(const QString& colorText, const QString& indexText);

  // Gives every entry that `palette` (memory order) holds in full its colour and
  // tooltip; returns how many entries that was. Cells past them keep their colours.
  int ShowPalette(std::span<const std::uint8_t> palette);

  // Whether Show Palette has filled the cells since the window was created.
  bool CellsFilled() const { return m_cellsFilled; }
  void MarkCellsFilled() { m_cellsFilled = true; }

 signals:
  // The user closed the window; it is deleted afterwards.
  void closed();
  void cellClicked(int index);
  void cellDoubleClicked(int index);
  void cellFocused(int index);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildToolbar();
  void BuildInfoPanels();

  QFrame* m_container = nullptr;
  std::array<PaletteCell*, kPaletteEntries> m_cells{};
  bool m_cellsFilled = false;
  QAction* m_import = nullptr;
  QAction* m_export = nullptr;
  QAction* m_undo = nullptr;
  QLabel* m_colorPanel = nullptr;
  QLabel* m_indexPanel = nullptr;
};

}  // namespace tessaloom
