#include "gui/state/playback_state.h"

#include "gui/state/status_texts.h"

namespace tessaloom {

PlaybackState::PlaybackState(QObject* parent) : QObject(parent) {
  m_timer.setObjectName(QStringLiteral("Fps"));
  m_timer.setInterval(kTickMs);
  connect(&m_timer, &QTimer::timeout, this, &PlaybackState::ticked);
}

void PlaybackState::ShowLoaded(const SprDocument& sprite) {
  WriteFramePosition(1, sprite);
  emit positionChanged();
  emit stepped();
}

void PlaybackState::ShowEditedFrame(int current, const SprDocument& sprite) {
  if (m_actionMode) m_spriteFrame = current;
  else WriteFramePosition(current, sprite);
  emit positionChanged();
}

void PlaybackState::WriteFramePosition(int current, const SprDocument& sprite) {
  m_total = sprite.Header.FrameCount;
  m_current = current;
  m_spriteFrame = current;
  m_positionText = LoadedPositionText(m_current, m_total);
  // A sprite without frames shows the size of an empty frame.
  const std::size_t index = static_cast<std::size_t>(m_current - 1);
  const SprFrame empty;
  const SprFrame& frame = index < sprite.Frames.size() ? sprite.Frames[index] : empty;
  m_sizeText = tessaloom::SizeText(frame.Width, frame.Height);
}

// "Frame : " and the position, each number after a blank in the sign position:
// "Frame :  5/ 5". Action mode counts its clips from 1.
void PlaybackState::SetPosition(int current, int total) {
  m_current = current;
  if (!m_actionMode) m_spriteFrame = current;
  m_total = total;
  const int shown = m_actionMode ? current + 1 : current;
  m_positionText = QStringLiteral("Frame : ") + SignedText(shown) + QStringLiteral("/") + SignedText(total);
  emit positionChanged();
}

void PlaybackState::StepTo(int current, int total) {
  SetPosition(current, total);
  emit stepped();
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
