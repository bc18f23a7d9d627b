#include "gui/app/bar_icons.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>
#include <functional>
#include <map>

namespace tessaloom {
namespace {

constexpr int kIconSize = 16;
const QColor kInk(40, 40, 48);

using IconPainter = std::function<void(QPainter&)>;

QIcon Painted(const IconPainter& paint, int size = kIconSize) {
  QPixmap pixmap(size, size);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.scale(size / double(kIconSize), size / double(kIconSize));
  paint(painter);
  return QIcon(pixmap);
}

void Magnifier(QPainter& p, bool plus) {
  p.setPen(QPen(kInk, 1.6));
  p.setBrush(QColor(220, 235, 250));
  p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
  p.drawLine(QPointF(9.5, 9.5), QPointF(14.5, 14.5));
  p.drawLine(QPointF(3.8, 6), QPointF(8.2, 6));
  if (plus) p.drawLine(QPointF(6, 3.8), QPointF(6, 8.2));
}

void FrameWithSign(QPainter& p, bool plus) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(QColor(250, 250, 240));
  p.drawRect(QRectF(1.5, 2.5, 10, 11));
  p.setPen(QPen(plus ? QColor(30, 140, 50) : QColor(190, 40, 40), 2));
  p.drawLine(QPointF(9, 10.5), QPointF(15, 10.5));
  if (plus) p.drawLine(QPointF(12, 7.5), QPointF(12, 13.5));
}

void ExportArrow(QPainter& p) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(QColor(250, 250, 240));
  p.drawRect(QRectF(1.5, 4.5, 9, 10));
  p.setPen(QPen(QColor(30, 90, 180), 2));
  p.drawLine(QPointF(6, 9.5), QPointF(14, 1.5));
  p.drawLine(QPointF(9, 1.5), QPointF(14, 1.5));
  p.drawLine(QPointF(14, 1.5), QPointF(14, 6.5));
}

void PaletteSquares(QPainter& p) {
  const QColor colors[] = {QColor(220, 50, 50), QColor(50, 170, 60), QColor(50, 90, 210), QColor(240, 200, 40)};
  p.setPen(QPen(kInk, 0.8));
  for (int i = 0; i < 4; ++i) {
    p.setBrush(colors[i]);
    p.drawRect(QRectF(1.5 + 7 * (i % 2), 1.5 + 7 * (i / 2), 6, 6));
  }
}

void FilmStrip(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(kInk);
  p.drawRect(QRectF(1, 3, 14, 10));
  p.setBrush(QColor(240, 240, 240));
  for (int i = 0; i < 4; ++i) {
    p.drawRect(QRectF(2 + 3.5 * i, 4, 2, 1.5));
    p.drawRect(QRectF(2 + 3.5 * i, 10.5, 2, 1.5));
  }
  p.setBrush(QColor(120, 180, 230));
  p.drawRect(QRectF(2.5, 6.5, 5, 3));
  p.drawRect(QRectF(8.5, 6.5, 5, 3));
}

void Figure(QPainter& p, const QColor& ink) {
  p.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(QColor(250, 210, 170));
  p.drawEllipse(QRectF(5.5, 1, 5, 5));
  p.drawLine(QPointF(8, 6), QPointF(8, 10.5));
  p.drawLine(QPointF(8, 10.5), QPointF(4.5, 15));
  p.drawLine(QPointF(8, 10.5), QPointF(11.5, 15));
  p.drawLine(QPointF(3.5, 8), QPointF(12.5, 7));
}

// The actions tree's nodes: an action is a strip of clips, a clip one picture, a
// layer one sheet of a stack.
void ClipPicture(QPainter& p) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(QColor(120, 180, 230));
  p.drawRect(QRectF(2.5, 3.5, 11, 9));
  p.setBrush(QColor(250, 210, 170));
  p.drawEllipse(QRectF(6, 5.5, 4, 4));
}

void LayerSheets(QPainter& p) {
  p.setPen(QPen(kInk, 1));
  p.setBrush(QColor(200, 200, 210));
  p.drawRect(QRectF(4.5, 1.5, 10, 8));
  p.setBrush(QColor(250, 250, 240));
  p.drawRect(QRectF(1.5, 6.5, 10, 8));
}

const std::map<QString, IconPainter>& PaintedIcons() {
  static const std::map<QString, IconPainter> icons{
      {QStringLiteral("Export"), ExportArrow},
      {QStringLiteral("Add"), [](QPainter& p) { FrameWithSign(p, true); }},
      {QStringLiteral("Sub"), [](QPainter& p) { FrameWithSign(p, false); }},
      {QStringLiteral("Palette"), PaletteSquares},
      {QStringLiteral("Actions"), FilmStrip},
      {QStringLiteral("ZoomIn"), [](QPainter& p) { Magnifier(p, true); }},
      {QStringLiteral("ZoomOut"), [](QPainter& p) { Magnifier(p, false); }},
      {QStringLiteral("Action"), [](QPainter& p) { Figure(p, kInk); }},
      {QStringLiteral("ActionNode"), FilmStrip},
      {QStringLiteral("ClipNode"), ClipPicture},
      {QStringLiteral("LayerNode"), LayerSheets},
  };
  return icons;
}

const std::map<QString, QStyle::StandardPixmap>& StandardIcons() {
  static const std::map<QString, QStyle::StandardPixmap> icons{
      {QStringLiteral("Open"), QStyle::SP_DialogOpenButton},
      {QStringLiteral("Save"), QStyle::SP_DialogSaveButton},
      {QStringLiteral("Sound"), QStyle::SP_MediaVolume},
      {QStringLiteral("First"), QStyle::SP_MediaSkipBackward},
      {QStringLiteral("Prev"), QStyle::SP_MediaSeekBackward},
      {QStringLiteral("Next"), QStyle::SP_MediaSeekForward},
      {QStringLiteral("Last"), QStyle::SP_MediaSkipForward},
      {QStringLiteral("Play"), QStyle::SP_MediaPlay},
      {QStringLiteral("Pause"), QStyle::SP_MediaPause},
      {QStringLiteral("Loop"), QStyle::SP_BrowserReload},
  };
  return icons;
}

}  // namespace

QIcon BarIcon(const QString& key) {
  if (const auto painted = PaintedIcons().find(key); painted != PaintedIcons().end()) return Painted(painted->second);
  if (const auto standard = StandardIcons().find(key); standard != StandardIcons().end())
    return QApplication::style()->standardIcon(standard->second);
  return QIcon();
}

QIcon AppIcon() {
  QIcon icon;
  for (const int size : {16, 32, 64, 128}) {
    icon.addPixmap(Painted(
                       [](QPainter& p) {
                         p.setPen(Qt::NoPen);
                         p.setBrush(QColor(32, 89, 146));
                         p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
                         p.setPen(QPen(QColor(255, 255, 255, 200), 0.8, Qt::DashLine));
                         p.setBrush(Qt::NoBrush);
                         p.drawRect(QRectF(3, 2, 10, 12));
                         Figure(p, Qt::white);
                       },
                       size)
                       .pixmap(size));
  }
  return icon;
}

}  // namespace tessaloom
