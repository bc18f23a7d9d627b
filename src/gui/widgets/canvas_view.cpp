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
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

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
  m_horizontal = new QScrollBar(Qt::Horizontal, this);
  m_horizontal->setObjectName(QStringLiteral("CanvasHScroll"));
  m_vertical = new QScrollBar(Qt::Vertical, this);
  m_vertical->setObjectName(QStringLiteral("CanvasVScroll"));
  // A bar's value is the canvas's left (top) edge over the unscrolled frame: minus the pan.
  connect(m_horizontal, &QScrollBar::valueChanged, this,
          [this](int value) { emit panRequested(QPoint(-value, -m_vertical->value())); });
  connect(m_vertical, &QScrollBar::valueChanged, this,
          [this](int value) { emit panRequested(QPoint(-m_horizontal->value(), -value)); });
  UpdateScrollBars();
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
  const ViewSettings view = DrawSettings();
  const SprDocument& sprite = m_session.Document().Sprite();
  const int frame = m_session.Playback().Current();
  if (m_session.View().PreviewMode()) Preview::DrawFrame(m_canvas, sprite, frame, view);
  else DrawSpriteFrame(m_canvas, sprite, frame, view);
  UpdateScrollBars();
  update();
}

void CanvasView::Redraw() {
  const ViewSettings view = DrawSettings();
  if (m_session.Playback().FrameListCount() == 0) {
    Painter::ClearCanvas(m_canvas, view);
    UpdateScrollBars();
    update();
  } else if (!m_session.Playback().ActionMode()) {
    DrawCurrent();
  } else if (!DrawClip()) {
    Painter::ClearCanvas(m_canvas, view);
    update();
  }
}

CanvasView::PanReach CanvasView::Reach() const {
  if (m_session.Playback().ActionMode()) return {};
  const QSize client = ClientSize();
  ViewSettings unscrolled = m_session.View().Settings(client.width(), client.height());
  unscrolled.PanX = unscrolled.PanY = 0;
  const FramePlacement place = CurrentPlacement(unscrolled);
  if (place.Width == 0 || place.Height == 0) return {};
  const auto axis = [](int start, int length, int canvas) {
    return std::pair{std::min(0, canvas - (start + length)), std::max(0, -start)};
  };
  const auto [minX, maxX] = axis(place.X, place.Width, width());
  const auto [minY, maxY] = axis(place.Y, place.Height, height());
  return {QPoint(minX, minY), QPoint(maxX, maxY)};
}

ViewSettings CanvasView::DrawSettings() const {
  const QSize client = ClientSize();
  ViewSettings view = m_session.View().Settings(client.width(), client.height());
  const PanReach reach = Reach();
  view.PanX = std::clamp(view.PanX, reach.Min.x(), reach.Max.x());
  view.PanY = std::clamp(view.PanY, reach.Min.y(), reach.Max.y());
  return view;
}

FramePlacement CanvasView::CurrentPlacement(const ViewSettings& view) const {
  const Preview::FrameSize size = Preview::SizeOfFrame(m_session.Document().Sprite(), m_session.Playback().Current());
  return m_session.View().PreviewMode() ? Preview::PlaceFrame(width(), height(), size, view)
                                        : PlaceFrame(size.Width, size.Height, view, view.PanX, view.PanY);
}

void CanvasView::UpdateScrollBars() {
  const PanReach reach = Reach();
  const ViewSettings view = DrawSettings();
  const struct {
    QScrollBar* bar;
    int min, max, pan, page;
  } bars[] = {{m_horizontal, reach.Min.x(), reach.Max.x(), view.PanX, width()},
              {m_vertical, reach.Min.y(), reach.Max.y(), view.PanY, height()}};
  for (const auto& [bar, min, max, pan, page] : bars) {
    const QSignalBlocker quiet(bar);
    bar->setRange(-max, -min);
    bar->setPageStep(page);
    bar->setValue(-pan);
    bar->setVisible(min < max);
  }
  PlaceScrollBars();
}

void CanvasView::PlaceScrollBars() {
  const int thickness = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  const int right = m_vertical->isVisible() ? thickness : 0;
  const int bottom = m_horizontal->isVisible() ? thickness : 0;
  m_horizontal->setGeometry(0, height() - thickness, width() - right, thickness);
  m_vertical->setGeometry(width() - thickness, 0, thickness, height() - bottom);
}

Status CanvasView::DrawClip() {
  const ViewSettings view = DrawSettings();
  const auto draw = m_session.View().PreviewMode() ? &Preview::DrawClip : &Painter::DrawClip;
  const Status drawn = draw(m_canvas, m_session.Document().Sprite(), m_session.Actions().Act(),
                            m_session.Actions().CurrentAction(), m_session.Playback().Current(), view);
  UpdateScrollBars();
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
  UpdateScrollBars();
}

void CanvasView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::RightButton) emit rightButtonPressed(event->globalPosition().toPoint());
  if (event->button() == Qt::MiddleButton) {
    m_dragFrom = event->position().toPoint();
    const ViewSettings view = DrawSettings();
    m_dragPan = QPoint(view.PanX, view.PanY);
    setCursor(Qt::ClosedHandCursor);
  }
}

// The frame follows the mouse while the middle button is held.
void CanvasView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (m_dragFrom && (event->buttons() & Qt::MiddleButton)) {
    const PanReach reach = Reach();
    const QPoint pan = m_dragPan + at - *m_dragFrom;
    emit panRequested(QPoint(std::clamp(pan.x(), reach.Min.x(), reach.Max.x()),
                             std::clamp(pan.y(), reach.Min.y(), reach.Max.y())));
  }
  emit pixelHovered(PixelUnder(at));
}

void CanvasView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::MiddleButton) return;
  m_dragFrom.reset();
  unsetCursor();
}

void CanvasView::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  emit pixelHovered({});
}

QString CanvasView::PixelUnder(QPoint at) const {
  const PlaybackState& playback = m_session.Playback();
  if (playback.ActionMode()) return {};
  const FramePlacement place = CurrentPlacement(DrawSettings());
  return PixelText(ProbeFrame(m_session.Document().Sprite(), playback.Current(), place, at.x(), at.y()));
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
