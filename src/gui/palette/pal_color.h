#pragma once
// One cell of the palette grid: a small square in the colour of its palette entry,
// whose tooltip gives the entry's red, green and blue numbers.

#include <QWidget>

#include "sprite/palette.h"

namespace tessaloom {

class PalColor : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kSize = 13;  // pixels; the grid's pitch leaves a gap of 3

  PalColor(int index, QWidget* parent);

  int Index() const { return m_index; }
  Color CellColor() const { return m_color; }
  void SetCellColor(Color color);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int m_index;
  Color m_color;
};

}  // namespace tessaloom
