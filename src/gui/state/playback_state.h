#pragma once
// The position the canvas and the status bar show, and the transport: sprite mode
// or action mode, looping, and the timer `Fps` that advances the position while
// playing, eight times a second unless an action sets its own speed. In sprite mode
// the position is a 1-based frame number over the frame list (the indexed frames, in
// Preview Mode followed by the 32-bit colour frames), in action mode a 0-based clip
// index of the current action.

#include <QObject>
#include <QString>
#include <QTimer>

#include "gui/state/document_state.h"
#include "gui/state/view_state.h"

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

class PlaybackState : public QObject {
  Q_OBJECT

 public:
  static constexpr int kTickMs = 125;

  PlaybackState(const DocumentState& document, const ViewState& view, QObject* parent = nullptr);

  // The position as the status bar shows it: the current frame or clip and the total.
  int Current() const { return m_current; }
  int Total() const { return m_total; }
  const QString& SizeText() const { return m_sizeText; }
  const QString& PositionText() const { return m_positionText; }
  // The 1-based sprite frame the frame commands and Export frame work on: the current
  // frame in sprite mode, and in action mode the one that was current before it.
  int SpriteFrame() const { return m_spriteFrame; }
  // The number of frames sprite mode steps over.
  int FrameListCount() const;
  // Whether SpriteFrame is a 32-bit colour frame, which the frame commands leave alone.
  bool SpriteFrameIsColourFrame() const;

  // A loaded sprite: frame 1, with the texts of a load, drawn at once.
  void ShowLoaded();
  // An edit left frame `current`: in sprite mode it is shown as after a load; in
  // action mode the status bar keeps the clip position.
  void ShowEditedFrame(int current);
  // Preview Mode was switched, which changes the frame list of a sprite with 32-bit
  // colour frames: sprite mode shows the list as after a load, and a frame past its
  // end gives way to the last one.
  void ShowFrameList();
  // The transport renumbered the position; the canvas keeps its picture. In sprite
  // mode the size text follows the frame.
  void SetPosition(int current, int total);
  // The transport moved to another frame or clip, which is drawn at once.
  void StepTo(int current, int total);
  // Another action of `clipCount` clips became current. In action mode, while playing
  // or when the position lies past its last clip, the position goes to its first clip.
  void ShowActionChanged(int clipCount);

  bool ActionMode() const { return m_actionMode; }
  void SetActionMode(bool on);
  void SetLooping(bool on) { m_looping = on; }
  bool Playing() const { return m_playing; }
  void Play();
  void Stop();
  int Interval() const { return m_timer.interval(); }
  // The time between two ticks, also while playing.
  void SetInterval(int milliseconds);

  // Frames 1 to `count` in sprite mode, clips 0 to `count` - 1 in action mode.
  PositionRange Range(int count) const;
  // The step after the current position: the next one, the first again when
  // looping, or the same one and the end of playing.
  TickStep Advance() const;

  // For tests: the timer no longer runs in real time, and TickNow stands in for it.
  void StopRealTime();
  // While playing, runs one tick at once, as the timer does every Interval ms.
  void TickNow();

 signals:
  void positionChanged();
  // The position moved to a frame or clip that is to be drawn now.
  void stepped();
  void ticked();
  void playingChanged();
  void actionModeChanged();
  void intervalChanged();

 private:
  void WriteFramePosition(int current);
  QString FrameSizeText(int frameNumber) const;

  const DocumentState& m_document;
  const ViewState& m_view;

  int m_current = 0;
  int m_total = 0;
  int m_spriteFrame = 0;
  QString m_sizeText = QStringLiteral("Size : ");
  QString m_positionText = QStringLiteral("Frame : 0/0");
  QTimer m_timer;
  bool m_actionMode = false;
  bool m_looping = false;
  bool m_playing = false;
  bool m_realTime = true;
};

}  // namespace tessaloom
