#include "gui/state/view_state.h"

#include <utility>

#include "gui/state/status_texts.h"

namespace tessaloom {

ViewState::ViewState(QObject* parent) : QObject(parent) {}

void ViewState::ZoomIn() {
  if (m_zoomStep < kMaxZoomStep) SetZoom(m_zoomStep + 1, m_zoomInAllowed, true);
  else SetZoom(m_zoomStep, false, true);
}

void ViewState::ZoomOut() {
  if (m_zoomStep > kMinZoomStep) SetZoom(m_zoomStep - 1, true, m_zoomOutAllowed);
  else SetZoom(m_zoomStep, true, false);
}

void ViewState::RestoreZoomStep(int step) { SetZoom(step, true, true); }

void ViewState::SetZoom(int step, bool inAllowed, bool outAllowed) {
  m_zoomStep = step;
  m_zoomInAllowed = inAllowed;
  m_zoomOutAllowed = outAllowed;
  m_zoomText = tessaloom::ZoomText(step);
  emit zoomChanged();
}

void ViewState::SetTransparencyOn(bool on) {
  m_transparencyOn = on;
  emit changed();
}

void ViewState::SetCheckerboard(bool on) {
  m_checkerboard = on;
  emit changed();
}

void ViewState::SetBackgroundColor(Color color) {
  m_backgroundColor = color;
  emit changed();
}

void ViewState::SetBackgroundPicture(Image picture) {
  m_backgroundPicture = std::move(picture);
  emit changed();
}

void ViewState::SetHighlightIndex(int index) {
  m_highlightIndex = index;
  emit changed();
}

void ViewState::SetPreviewMode(bool on) {
  m_previewMode = on;
  emit previewModeChanged();
}

ViewSettings ViewState::Settings(int clientWidth, int clientHeight) const {
  return ViewSettings{.ZoomStep = m_zoomStep,
                      .Transparent = m_transparencyOn,
                      .Background = m_backgroundColor,
                      .Checkerboard = m_checkerboard,
                      .BackgroundPicture = m_backgroundPicture ? &*m_backgroundPicture : nullptr,
                      .ClientWidth = clientWidth,
                      .ClientHeight = clientHeight,
                      .HighlightIndex = m_highlightIndex};
}

}  // namespace tessaloom
