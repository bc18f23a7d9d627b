#include "gui/state/playback_state.h"

#include <algorithm>

#include "core/render/preview_drawing.h"
#include "gui/state/status_texts.h"

namespace tessaloom {

PlaybackState::PlaybackState(const DocumentState& document, const ViewState& view, QObject* parent)
    : QObject(parent), m_document(document), m_view(view) {
  m_timer.setObjectName(QStringLiteral("Fps"));
  m_timer.setInterval(kTickMs);
  connect(&m_timer, &QTimer::timeout, this, &PlaybackState::ticked);
}

int PlaybackState::FrameListCount() const {
  return m_view.PreviewMode() ? Preview::FrameCount(m_document.Sprite()) : m_document.FrameCount();
}

bool PlaybackState::SpriteFrameIsColourFrame() const {
  return m_spriteFrame > m_document.FrameCount() && m_spriteFrame <= FrameListCount();
}

void PlaybackState::ShowLoaded() {
  WriteFramePosition(1);
  emit positionChanged();
  emit stepped();
}

void PlaybackState::ShowEditedFrame(int current) {
  if (m_actionMode) m_spriteFrame = current;
  else WriteFramePosition(current);
  emit positionChanged();
}

void PlaybackState::ShowFrameList() {
  // Without 32-bit colour frames the list is the same in both modes.
  if (m_document.Sprite().RgbaFrames.empty()) return;
  const int last = std::max(1, FrameListCount());
  if (m_actionMode) m_spriteFrame = std::min(m_spriteFrame, last);
  else WriteFramePosition(std::min(m_current, last));
  emit positionChanged();
}

void PlaybackState::WriteFramePosition(int current) {
  m_total = FrameListCount();
  m_current = current;
  m_spriteFrame = current;
  m_positionText = LoadedPositionText(m_current, m_total);
  m_sizeText = FrameSizeText(m_current);
}

// A frame outside the list, as the current frame of a sprite without frames, has
// the size of an empty frame.
QString PlaybackState::FrameSizeText(int frameNumber) const {
  const Preview::FrameSize size =
      frameNumber <= FrameListCount() ? Preview::SizeOfFrame(m_document.Sprite(), frameNumber) : Preview::FrameSize{};
  return tessaloom::SizeText(size.Width, size.Height);
}

// "Frame : " and the position, each number after a blank in the sign position:
// "Frame :  5/ 5". Action mode counts its clips from 1.
void PlaybackState::SetPosition(int current, int total) {
  m_current = current;
  if (!m_actionMode) m_spriteFrame = current;
  m_total = total;
  const int shown = m_actionMode ? current + 1 : current;
  m_positionText = QStringLiteral("Frame : ") + SignedText(shown) + QStringLiteral("/") + SignedText(total);
  if (!m_actionMode) m_sizeText = FrameSizeText(current);
  emit positionChanged();
}

void PlaybackState::StepTo(int current, int total) {
  SetPosition(current, total);
  emit stepped();
}

void PlaybackState::ShowActionChanged(int clipCount) {
  if (m_actionMode && (m_playing || m_current >= clipCount)) StepTo(0, clipCount);
}

void PlaybackState::SetActionMode(bool on) {
  m_actionMode = on;
  emit actionModeChanged();
}

void PlaybackState::SetInterval(int milliseconds) {
  m_timer.setInterval(milliseconds);
  emit intervalChanged();
}

void PlaybackState::Play() {
  m_playing = true;
  if (m_realTime) m_timer.start();
  emit playingChanged();
}

void PlaybackState::Stop() {
  m_playing = false;
  m_timer.stop();
  emit playingChanged();
}

PositionRange PlaybackState::Range(int count) const {
  return m_actionMode ? PositionRange{0, count - 1} : PositionRange{1, count};
}

TickStep PlaybackState::Advance() const {
  const PositionRange range = Range(m_total);
  if (m_current < range.Last) return {m_current + 1, false};
  if (m_looping) return {range.First, false};
  return {m_current, true};
}

void PlaybackState::StopRealTime() {
  m_realTime = false;
  m_timer.stop();
}

void PlaybackState::TickNow() {
  if (m_playing) emit ticked();
}

}  // namespace tessaloom
