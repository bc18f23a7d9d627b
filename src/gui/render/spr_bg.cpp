#include "gui/render/spr_bg.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

namespace tessaloom {
namespace {

// The zoom indicator sits this far from the canvas's right and bottom edges.
constexpr int kZoomRightMargin = 4;
constexpr int kZoomBottomMargin = 30;

QLabel* MakeZoomLabel(QWidget& canvas, const char* name, Qt::GlobalColor color) {
  auto* label = new QLabel(QStringLiteral("x1"), &canvas);
  label->setObjectName(QString::fromLatin1(name));
  QFont font(QStringLiteral("Trebuchet MS"), 9, QFont::Bold);
  font.setStyleHint(QFont::SansSerif);
  label->setFont(font);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, color);
  label->setPalette(palette);
  label->setAttribute(Qt::WA_TransparentForMouseEvents);
  label->adjustSize();
  return label;
}

}  // namespace

SprBG::SprBG(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("SprBG"));
  setAcceptDrops(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  // The shadow is made first so that the white text lies on top of it.
  m_zoomShadow = MakeZoomLabel(*this, "ZoomIndicatorShd", Qt::black);
  m_zoom = MakeZoomLabel(*this, "ZoomIndicator", Qt::white);
}

QImage SprBG::View() const {
  return QImage(reinterpret_cast<const uchar*>(m_canvas.Pixels.data()), m_canvas.Width, m_canvas.Height,
                static_cast<qsizetype>(m_canvas.Width) * static_cast<qsizetype>(sizeof(Argb)), QImage::Format_RGB32);
}

void SprBG::SetZoomText(const QString& text) {
  m_zoom->setText(text);
  m_zoomShadow->setText(text);
  m_zoom->adjustSize();
  m_zoomShadow->adjustSize();
  PlaceZoomLabels();
}

void SprBG::PlaceZoomLabels() {
  const int left = width() - m_zoom->width() - kZoomRightMargin;
  const int top = height() - m_zoom->height() - kZoomBottomMargin;
  m_zoom->move(left, top);
  m_zoomShadow->move(left + 1, top + 1);
}

void SprBG::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.drawImage(event->rect(), View(), event->rect());
}

void SprBG::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  m_canvas = Image(width(), height());
  PlaceZoomLabels();
  emit resized();
}

void SprBG::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) emit rightButtonPressed(event->globalPosition().toPoint());
}

void SprBG::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void SprBG::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.isEmpty()) return;
  event->acceptProposedAction();
  // Opening may show a message box; the desktop's drag must be finished by then.
  const QString path = urls.constFirst().toLocalFile();
  QMetaObject::invokeMethod(this, [this, path] { emit fileDropped(path); }, Qt::QueuedConnection);
}

}  // namespace tessaloom
