#pragma once
// The canvas: shows the picture the core renderer composed, keeps the zoom
// indicator with its one-pixel shadow at its lower right, opens its popup on the
// right button and takes sprite files dropped from the desktop.

#include <QImage>
#include <QWidget>

#include "core/common/image.h"

class QLabel;

namespace tessaloom {

class SprBG : public QWidget {
  Q_OBJECT

 public:
  explicit SprBG(QWidget* parent = nullptr);

  // The picture the renderer draws on; always the widget's size. Call update()
  // after drawing.
  Image& Canvas() { return m_canvas; }
  const Image& Canvas() const { return m_canvas; }
  // The canvas as Qt sees it: the same pixels, not a copy.
  QImage View() const;

  void SetZoomText(const QString& text);

 signals:
  // The canvas has a new size and holds no picture yet.
  void resized();
  void rightButtonPressed(const QPoint& globalPosition);
  // The first file of a drop, as a local path (empty when it is not a local file).
  void fileDropped(const QString& path);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void PlaceZoomLabels();

  Image m_canvas;
  QLabel* m_zoomShadow = nullptr;
  QLabel* m_zoom = nullptr;
};

}  // namespace tessaloom
