#include "gui/palette/pal_color.h"

#include <QMouseEvent>
#include <QPainter>

#include "core/render/view_settings.h"

namespace tessaloom {

PalColor::PalColor(int index, QWidget* parent) : QWidget(parent), m_index(index), m_color(kCanvasColor) {
  setObjectName(QStringLiteral("PalColor"));
  setFixedSize(kSize, kSize);
  setFocusPolicy(Qt::ClickFocus);
}

void PalColor::SetCellColor(Color color) {
  m_color = color;
  update();
}

void PalColor::SetBordered(bool bordered) {
  m_bordered = bordered;
  update();
}

void PalColor::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(RedOf(m_color), GreenOf(m_color), BlueOf(m_color)));
  if (!m_bordered) return;
  painter.setPen(Qt::black);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void PalColor::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit clicked(m_index);
}

// Not passed on as a second press, so that a double click makes one click only.
void PalColor::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit doubleClicked(m_index);
}

void PalColor::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  emit focused(m_index);
}

}  // namespace tessaloom
