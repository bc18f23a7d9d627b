#pragma once
// How the canvas shows the sprite without changing it: zoom, transparency, the
// background colour and picture, and the highlighted palette entry.

#include <QObject>
#include <QString>
#include <optional>

#include "core/common/image.h"
#include "core/render/view_settings.h"

namespace tessaloom {

class ViewState : public QObject {
  Q_OBJECT

 public:
  explicit ViewState(QObject* parent = nullptr);

  // Zoom: the drawing scale is ZoomStep / 3. A step at a limit leaves the step and
  // disables the menu item that pointed past it.
  int ZoomStep() const { return m_zoomStep; }
  const QString& ZoomText() const { return m_zoomText; }
  bool ZoomInAllowed() const { return m_zoomInAllowed; }
  bool ZoomOutAllowed() const { return m_zoomOutAllowed; }
  void ZoomIn();
  void ZoomOut();

  bool TransparencyOn() const { return m_transparencyOn; }
  void SetTransparencyOn(bool on);
  void SetBackgroundColor(Color color);
  void SetBackgroundPicture(Image picture);
  // The palette entry drawn with red and blue exchanged, -1 for none.
  int HighlightIndex() const { return m_highlightIndex; }
  void SetHighlightIndex(int index);

  // The settings of a draw centred on a client area of the given size.
  ViewSettings Settings(int clientWidth, int clientHeight) const;

 signals:
  void zoomChanged();
  // Transparency, the background or the highlight changed.
  void changed();

 private:
  void SetZoom(int step, bool inAllowed, bool outAllowed);

  int m_zoomStep = kMinZoomStep;
  QString m_zoomText = QStringLiteral("x1");  // until the first zoom command
  bool m_zoomInAllowed = true;
  bool m_zoomOutAllowed = false;
  bool m_transparencyOn = true;
  Color m_backgroundColor = kCanvasColor;
  std::optional<Image> m_backgroundPicture;
  int m_highlightIndex = -1;
};

}  // namespace tessaloom
