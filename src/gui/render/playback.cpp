#include "gui/render/playback.h"

#include "gui/app/status_texts.h"

namespace tessaloom {

Playback::Playback(QObject* parent) : QObject(parent) {
  m_timer.setObjectName(QStringLiteral("Fps"));
  m_timer.setInterval(kTickMs);
  connect(&m_timer, &QTimer::timeout, this, &Playback::ticked);
}

void Playback::Play() {
  m_playing = true;
  if (m_realTime) m_timer.start();
  emit playingChanged();
}

void Playback::Stop() {
  m_playing = false;
  m_timer.stop();
  emit playingChanged();
}

void Playback::StopRealTime() {
  m_realTime = false;
  m_timer.stop();
}

void Playback::TickNow() {
  if (m_playing) emit ticked();
}

PositionRange Playback::Range(int count) const {
  return m_actionMode ? PositionRange{0, count - 1} : PositionRange{1, count};
}

TickStep Playback::Advance(int current, int total) const {
  const PositionRange range = Range(total);
  if (current < range.Last) return {current + 1, false};
  if (m_looping) return {range.First, false};
  return {current, true};
}

QString Playback::PositionText(int current, int total) const {
  const int shown = m_actionMode ? current + 1 : current;
  return QStringLiteral("Frame : ") + SignedText(shown) + QStringLiteral("/") + SignedText(total);
}

}  // namespace tessaloom
