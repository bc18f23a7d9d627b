#pragma once
// One cell of the palette grid: a small square in the colour of its palette entry,
// whose tooltip gives the entry's red, green and blue numbers. A click selects it,
// a double click asks to edit its colour, and the selected cell has a border.

#include <QWidget>

#include "core/sprite/palette.h"

namespace tessaloom {

class PalColor : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kSize = 13;  // pixels; the grid's pitch leaves a gap of 3

  PalColor(int index, QWidget* parent);

  int Index() const { return m_index; }
  Color CellColor() const { return m_color; }
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

}  // namespace tessaloom
