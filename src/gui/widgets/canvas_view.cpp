#include "gui/widgets/canvas_view.h"

#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMimeData>
#include <QMouseEvent>
#include <QWheelEvent>
#include <QPainter>

#include "core/render/canvas_drawing.h"
#include "core/render/painter.h"
#include "core/render/pixel_probe.h"
#include "core/render/preview_drawing.h"
#include "gui/state/session.h"
#include "gui/state/status_texts.h"

namespace tessaloom {
namespace {

// The zoom indicator sits this far from the canvas's right and bottom edges.
constexpr int kZoomRightMargin = 4;
constexpr int kZoomBottomMargin = 30;

QLabel* MakeZoomLabel(QWidget& canvas, const char* name, Qt::GlobalColor color, const QString& text) {
  auto* label = new QLabel(text, &canvas);
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

CanvasView::CanvasView(const Session& session, QWidget* parent) : QWidget(parent), m_session(session) {
  setObjectName(QStringLiteral("SprBG"));
  setAcceptDrops(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  // The shadow is made first so that the white text lies on top of it.
  // The view's zoom text: "x1" until the first zoom command, or a step remembered.
  const QString& zoomText = session.View().ZoomText();
  m_zoomShadow = MakeZoomLabel(*this, "ZoomIndicatorShd", Qt::black, zoomText);
  m_zoom = MakeZoomLabel(*this, "ZoomIndicator", Qt::white, zoomText);
  ConnectSession();
}

void CanvasView::ConnectSession() {
  const DocumentState& document = m_session.Document();
  connect(&document, &DocumentState::cleared, this, &CanvasView::Redraw);
  connect(&document, &DocumentState::framesEdited, this, &CanvasView::Redraw);
  connect(&document, &DocumentState::paletteEdited, this, &CanvasView::Redraw);
  connect(&document, &DocumentState::toolTipChanged, this, [this] { setToolTip(m_session.Document().ToolTip()); });
  connect(&m_session.View(), &ViewState::changed, this, &CanvasView::Redraw);
  connect(&m_session.View(), &ViewState::previewModeChanged, this, &CanvasView::Redraw);
  connect(&m_session.View(), &ViewState::zoomChanged, this, [this] {
    ShowZoomText();
    DrawCurrent();
  });
  connect(&m_session.Playback(), &PlaybackState::stepped, this, &CanvasView::DrawCurrent);
}

QSize CanvasView::ClientSize() const {
  const QWidget* top = window();
  const auto* main = qobject_cast<const QMainWindow*>(top);
  const QWidget* menu = main ? main->menuWidget() : nullptr;
  QSize client(top->width(), top->height() - (menu && menu->isVisible() ? menu->height() : 0));
  if (main == nullptr) return client;
  // Panels docked beside the canvas take their room out of the area drawn on.
  for (QDockWidget* dock : main->findChildren<QDockWidget*>()) {
    if (!dock->isVisible() || dock->isFloating()) continue;
    const Qt::DockWidgetArea area = main->dockWidgetArea(dock);
    if (area == Qt::TopDockWidgetArea || area == Qt::BottomDockWidgetArea) client.rheight() -= dock->height();
    else client.rwidth() -= dock->width();
  }
  return client;
}

void CanvasView::DrawCurrent() {
  if (m_session.Playback().ActionMode()) {
    const Status drawn = DrawClip();
    if (!drawn) emit drawFailed(drawn.error());
    return;
  }
  const QSize client = ClientSize();
  const ViewSettings view = m_session.View().Settings(client.width(), client.height());
  const SprDocument& sprite = m_session.Document().Sprite();
  const int frame = m_session.Playback().Current();
  if (m_session.View().PreviewMode()) Preview::DrawFrame(m_canvas, sprite, frame, view);
  else DrawSpriteFrame(m_canvas, sprite, frame, view);
  update();
}

void CanvasView::Redraw() {
  const QSize client = ClientSize();
  const ViewSettings view = m_session.View().Settings(client.width(), client.height());
  if (m_session.Playback().FrameListCount() == 0) {
    Painter::ClearCanvas(m_canvas, view);
    update();
  } else if (!m_session.Playback().ActionMode()) {
    DrawCurrent();
  } else if (!DrawClip()) {
    Painter::ClearCanvas(m_canvas, view);
    update();
  }
}

Status CanvasView::DrawClip() {
  const QSize client = ClientSize();
  const ViewSettings view = m_session.View().Settings(client.width(), client.height());
  const auto draw = m_session.View().PreviewMode() ? &Preview::DrawClip : &Painter::DrawClip;
  const Status drawn = draw(m_canvas, m_session.Document().Sprite(), m_session.Actions().Act(),
                            m_session.Actions().CurrentAction(), m_session.Playback().Current(), view);
  update();
  return drawn;
}

QImage CanvasView::View() const {
  return QImage(reinterpret_cast<const uchar*>(m_canvas.Pixels.data()), m_canvas.Width, m_canvas.Height,
                static_cast<qsizetype>(m_canvas.Width) * static_cast<qsizetype>(sizeof(Argb)), QImage::Format_RGB32);
}

void CanvasView::ShowZoomText() {
  const QString& text = m_session.View().ZoomText();
  m_zoom->setText(text);
  m_zoomShadow->setText(text);
  m_zoom->adjustSize();
  m_zoomShadow->adjustSize();
  PlaceZoomLabels();
}

void CanvasView::PlaceZoomLabels() {
  const int left = width() - m_zoom->width() - kZoomRightMargin;
  const int top = height() - m_zoom->height() - kZoomBottomMargin;
  m_zoom->move(left, top);
  m_zoomShadow->move(left + 1, top + 1);
}

void CanvasView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.drawImage(event->rect(), View(), event->rect());
}

void CanvasView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  m_canvas = Image(width(), height());
  PlaceZoomLabels();
  Redraw();
}

void CanvasView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) emit rightButtonPressed(event->globalPosition().toPoint());
}

void CanvasView::mouseMoveEvent(QMouseEvent* event) { emit pixelHovered(PixelUnder(event->position().toPoint())); }

void CanvasView::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  emit pixelHovered({});
}

QString CanvasView::PixelUnder(QPoint at) const {
  const PlaybackState& playback = m_session.Playback();
  if (playback.ActionMode()) return {};
  const SprDocument& sprite = m_session.Document().Sprite();
  const int frame = playback.Current();
  const Preview::FrameSize size = Preview::SizeOfFrame(sprite, frame);
  const ViewState& view = m_session.View();
  const QSize client = ClientSize();
  const FramePlacement place =
      view.PreviewMode() ? Preview::PlaceFrame(width(), height(), size, view.ZoomStep())
                         : PlaceFrame(size.Width, size.Height, view.Settings(client.width(), client.height()), 0, 0);
  return PixelText(ProbeFrame(sprite, frame, place, at.x(), at.y()));
}

void CanvasView::wheelEvent(QWheelEvent* event) {
  const int turn = event->angleDelta().y();
  if (!(event->modifiers() & Qt::ControlModifier) || turn == 0) {
    QWidget::wheelEvent(event);
    return;
  }
  emit zoomWheeled(turn > 0 ? 1 : -1);
  event->accept();
}

void CanvasView::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CanvasView::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.isEmpty()) return;
  event->acceptProposedAction();
  // Opening may show a message box; the desktop's drag must be finished by then.
  const QString path = urls.constFirst().toLocalFile();
  QMetaObject::invokeMethod(this, [this, path] { emit fileDropped(path); }, Qt::QueuedConnection);
}

}  // namespace tessaloom
