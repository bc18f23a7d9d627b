#pragma once
// The transport's state: sprite mode or action mode, looping, and the timer `Fps`
// that advances the position eight times a second while playing. The position
// itself is the session's: in sprite mode a 1-based frame number, in action mode a
// 0-based clip index of the current action.

#include <QObject>
#include <QString>
#include <QTimer>

namespace tessaloom {

// The first and last positions of a mode.
struct PositionRange {
  int First = 0;
  int Last = 0;
};

// Where a tick moves the position, and whether playing stops there.
struct TickStep {
  int Current = 0;
  bool Ended = false;
};

class Playback : public QObject {
  Q_OBJECT

 public:
  static constexpr int kTickMs = 125;

  explicit Playback(QObject* parent = nullptr);

  bool ActionMode() const { return m_actionMode; }
  void SetActionMode(bool on) { m_actionMode = on; }
  bool Looping() const { return m_looping; }
  void SetLooping(bool on) { m_looping = on; }

  bool Playing() const { return m_playing; }
  void Play();
  void Stop();
  int Interval() const { return m_timer.interval(); }

  // Frames 1 to `count` in sprite mode, clips 0 to `count` - 1 in action mode.
  PositionRange Range(int count) const;
  // The step after `current` of a position total of `total`: the next one, the first
  // again when looping, or the same one and the end of playing.
  TickStep Advance(int current, int total) const;
  // "Frame : " and the position, each number after a blank in the sign position:
  // "Frame :  5/ 5". Action mode counts its clips from 1.
  QString PositionText(int current, int total) const;

  // For tests: the timer no longer runs in real time, and TickNow stands in for it.
  void StopRealTime();
  // While playing, runs one tick at once, as the timer does every 125 ms.
  void TickNow();

 signals:
  void ticked();
  void playingChanged();

 private:
  QTimer m_timer;
  bool m_actionMode = false;
  bool m_looping = false;
  bool m_playing = false;
  bool m_realTime = true;
};

}  // namespace tessaloom
