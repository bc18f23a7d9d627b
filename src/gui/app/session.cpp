#include "gui/app/session.h"

#include <utility>

#include "gui/app/status_texts.h"
#include "core/sprite/spr_edit.h"

namespace tessaloom {

Session::Session(QSettings& settings, QObject* parent) : QObject(parent), m_recentFiles(settings) {}

void Session::ReplaceDocument(SprDocument document) {
  m_document = std::move(document);
  WriteLoadedPosition();
  emit documentChanged();
  emit positionChanged();
}

void Session::ClearDocument() {
  Tool_Spr::ClearDocument(m_document);
  m_backgroundColor = kCanvasColor;
  emit documentChanged();
  emit viewChanged();
}

void Session::WriteLoadedPosition() { WriteFramePosition(1); }

void Session::WriteFramePosition(int current) {
  m_frameTotal = FrameCount();
  m_currentFrame = current;
  m_spriteFrame = current;
  m_positionText = LoadedPositionText(m_currentFrame, m_frameTotal);
  // A sprite without frames shows the size of an empty frame.
  const std::size_t index = static_cast<std::size_t>(m_currentFrame - 1);
  const SprFrame empty;
  const SprFrame& frame = index < m_document.Frames.size() ? m_document.Frames[index] : empty;
  m_sizeText = tessaloom::SizeText(frame.Width, frame.Height);
}

void Session::SetPosition(int current, int total, const QString& text) {
  m_currentFrame = current;
  if (!m_playback.ActionMode()) m_spriteFrame = current;
  m_frameTotal = total;
  m_positionText = text;
  emit positionChanged();
}

void Session::ZoomIn() {
  if (m_zoomStep < kMaxZoomStep) SetZoom(m_zoomStep + 1, m_zoomInEnabled, true);
  else SetZoom(m_zoomStep, false, true);
}

void Session::ZoomOut() {
  if (m_zoomStep > kMinZoomStep) SetZoom(m_zoomStep - 1, true, m_zoomOutEnabled);
  else SetZoom(m_zoomStep, true, false);
}

void Session::SetZoom(int step, bool inEnabled, bool outEnabled) {
  m_zoomStep = step;
  m_zoomInEnabled = inEnabled;
  m_zoomOutEnabled = outEnabled;
  m_zoomText = tessaloom::ZoomText(step);
  emit zoomChanged();
}

void Session::SetTransparencyOn(bool on) {
  m_transparencyOn = on;
  emit viewChanged();
}

void Session::SetBackgroundPicture(Image picture) {
  m_backgroundPicture = std::move(picture);
  emit viewChanged();
}

ViewSettings Session::View(int clientWidth, int clientHeight) const {
  return ViewSettings{.ZoomStep = m_zoomStep,
                      .Transparent = m_transparencyOn,
                      .Background = m_backgroundColor,
                      .BackgroundPicture = BackgroundPicture(),
                      .ClientWidth = clientWidth,
                      .ClientHeight = clientHeight,
                      .HighlightIndex = m_highlightIndex};
}

void Session::AddRecentFile(const QString& path) {
  m_recentFiles.Add(path);
  emit recentFilesChanged();
}

void Session::SetCanvasToolTip(const QString& text) {
  m_canvasToolTip = text;
  emit canvasToolTipChanged();
}

void Session::SetActivity(Activity activity) {
  m_activity = activity;
  emit activityChanged();
}

void Session::EnableSpriteCommands() {
  m_spriteMenusEnabled = true;
  m_spriteButtonsEnabled = true;
  m_transportEnabled = true;
  emit commandStatesChanged();
}

void Session::DisableSpriteMenus() {
  m_spriteMenusEnabled = false;
  emit commandStatesChanged();
}

void Session::SetPaletteShown(bool shown) {
  m_paletteShown = shown;
  emit paletteShownChanged();
}

}  // namespace tessaloom
