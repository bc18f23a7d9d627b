#pragma once
// The canvas: shows the picture the core renderer composes from the session (the
// current frame, or in action mode the current clip of the current action, drawn as
// the game draws them while Preview Mode is on), keeps
// the zoom indicator with its one-pixel shadow at its lower right, opens its popup
// on the right button and takes sprite files dropped from the desktop. A frame that
// reaches past the canvas can be scrolled, with the scrollbars that then appear over
// the canvas's edges or by dragging with the middle button.
//
// It redraws from the session's signals. A step of the transport, a zoom and a load
// draw at once and report a clip that cannot be drawn; view changes, edits, New and
// the window's own events redraw quietly, clearing the canvas for such a clip.

#include <QImage>
#include <QWidget>
#include <optional>

#include "core/common/image.h"
#include "core/common/result.h"
#include "core/render/view_settings.h"

class QLabel;
class QScrollBar;

namespace tessaloom {

class Session;

class CanvasView : public QWidget {
  Q_OBJECT

 public:
  explicit CanvasView(const Session& session, QWidget* parent = nullptr);

  // The picture the renderer draws on; always the widget's size.
  const Image& Canvas() const { return m_canvas; }
  // The canvas as Qt sees it: the same pixels, not a copy.
  QImage View() const;
  // The area frames are centred on: the top-level window below its menu bar, less
  // the panels docked in it.
  QSize ClientSize() const;

  // Draws the current frame or clip; a clip that cannot be drawn is reported by
  // drawFailed and leaves the canvas as it was.
  void DrawCurrent();
  // The cleared canvas when the sprite has no frames, else the current frame or
  // clip, a clip that cannot be drawn leaving the canvas cleared.
  void Redraw();

 signals:
  void drawFailed(const tessaloom::Error& error);
  void rightButtonPressed(const QPoint& globalPosition);
  // The first file of a drop, as a local path (empty when it is not a local file).
  void fileDropped(const QString& path);
  // The wheel turned with Ctrl held: up (+1) zooms in, down (-1) out.
  void zoomWheeled(int direction);
  // The mouse moved over the canvas: PixelText of the frame pixel under it.
  void pixelHovered(const QString& text);
  // The user scrolled the frame to `pan` (ViewState::Pan), within its reach.
  void panRequested(QPoint pan);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  // The pans within which some of the frame stays on the canvas: from bringing its
  // far edges to the canvas's far edges to bringing its near edges to the near ones.
  // Only a frame drawn on its own scrolls; a clip is always drawn unscrolled.
  struct PanReach {
    QPoint Min;
    QPoint Max;
  };
  PanReach Reach() const;
  // The view's settings for the canvas, with the pan kept within the frame's reach.
  ViewSettings DrawSettings() const;
  // Where the current frame lands with the given settings.
  FramePlacement CurrentPlacement(const ViewSettings& view) const;
  void UpdateScrollBars();
  void PlaceScrollBars();
  void ConnectSession();
  Status DrawClip();
  void ShowZoomText();
  // The frame pixel under canvas point `at` in sprite mode, as PixelText words it.
  QString PixelUnder(QPoint at) const;
  void PlaceZoomLabels();

  const Session& m_session;
  Image m_canvas;
  QLabel* m_zoomShadow = nullptr;
  QLabel* m_zoom = nullptr;
  QScrollBar* m_horizontal = nullptr;
  QScrollBar* m_vertical = nullptr;
  std::optional<QPoint> m_dragFrom;  // where a middle-button drag started, while it lasts
  QPoint m_dragPan;                  // the pan when it started
};

}  // namespace tessaloom
