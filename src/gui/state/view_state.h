#pragma once
// How the canvas shows the sprite without changing it: zoom, transparency, the
// background colour and picture, the highlighted palette entry, and Preview Mode,
// which draws what the game shows instead.

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

  // Zoom: the drawing scale is ZoomStep / 3, in Preview Mode ZoomStep - 2. A step at
  // a limit leaves the step and disables the menu item that pointed past it.
  int ZoomStep() const { return m_zoomStep; }
  const QString& ZoomText() const { return m_zoomText; }
  bool ZoomInAllowed() const { return m_zoomInAllowed; }
  bool ZoomOutAllowed() const { return m_zoomOutAllowed; }
  void ZoomIn();
  void ZoomOut();
  // A step remembered from an earlier run, as if the zoom commands had reached it.
  void RestoreZoomStep(int step);

  bool TransparencyOn() const { return m_transparencyOn; }
  void SetTransparencyOn(bool on);
  // A checkerboard in place of the background colour, under the background picture.
  bool Checkerboard() const { return m_checkerboard; }
  void SetCheckerboard(bool on);
  Color BackgroundColor() const { return m_backgroundColor; }
  void SetBackgroundColor(Color color);
  void SetBackgroundPicture(Image picture);
  // The palette entry drawn with red and blue exchanged, -1 for none.
  int HighlightIndex() const { return m_highlightIndex; }
  void SetHighlightIndex(int index);

  // Preview Mode: the game's drawing, the 32-bit colour frames listed after the
  // indexed ones, and action mode playing at each action's own speed.
  bool PreviewMode() const { return m_previewMode; }
  void SetPreviewMode(bool on);

  // The settings of a draw centred on a client area of the given size.
  ViewSettings Settings(int clientWidth, int clientHeight) const;

 signals:
  void zoomChanged();
  // Transparency, the background (colour, checkerboard, picture) or the highlight changed.
  void changed();
  void previewModeChanged();

 private:
  void SetZoom(int step, bool inAllowed, bool outAllowed);

  int m_zoomStep = kMinZoomStep;
  QString m_zoomText = QStringLiteral("x1");  // until the first zoom command
  bool m_zoomInAllowed = true;
  bool m_zoomOutAllowed = false;
  bool m_transparencyOn = true;
  Color m_backgroundColor = kCanvasColor;
  bool m_checkerboard = false;
  std::optional<Image> m_backgroundPicture;
  int m_highlightIndex = -1;
  bool m_previewMode = false;
};

}  // namespace tessaloom
