#include "palette/pal_color.h"

#include <QPainter>

#include "render/view_settings.h"

namespace tessaloom {

PalColor::PalColor(int index, QWidget* parent) : QWidget(parent), m_index(index), m_color(kCanvasColor) {
  setObjectName(QStringLiteral("PalColor"));
  setFixedSize(kSize, kSize);
}

void PalColor::SetCellColor(Color color) {
  m_color = color;
  update();
}

void PalColor::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(RedOf(m_color), GreenOf(m_color), BlueOf(m_color)));
}

}  // namespace tessaloom
