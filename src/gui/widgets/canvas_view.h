#pragma once
// The canvas: shows the picture the core renderer composes from the session (the
// current frame, or in action mode the current clip of the current action, drawn as
// the game draws them while Preview Mode is on), keeps
// the zoom indicator with its one-pixel shadow at its lower right, opens its popup
// on the right button and takes sprite files dropped from the desktop.
//
// It redraws from the session's signals. A step of the transport, a zoom and a load
// draw at once and report a clip that cannot be drawn; view changes, edits, New and
// the window's own events redraw quietly, clearing the canvas for such a clip.

#include <QImage>
#include <QWidget>

#include "core/common/image.h"
#include "core/common/result.h"

class QLabel;

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

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
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
};

}  // namespace tessaloom
