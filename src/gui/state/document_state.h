#pragma once
// The open sprite: its frames and palette, the file it was read from or saved to, and
// the text the canvas shows as its tooltip. Loading, New and every edit go through
// here, and the signals say which of them happened, so the windows redraw what
// changed. Every edit marks the sprite modified until it is saved or replaced. The
// frame edits (add, delete, move) go on an undo stack, emptied by Load and New; the
// palette keeps an undo history of its own.

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <functional>

#include "core/common/result.h"
#include "core/convert/converter_bmp.h"
#include "core/sprite/palette.h"
#include "core/sprite/spr_document.h"

namespace tessaloom {

class DocumentState : public QObject {
  Q_OBJECT

 public:
  explicit DocumentState(QObject* parent = nullptr);

  const SprDocument& Sprite() const { return m_sprite; }
  int FrameCount() const { return m_sprite.Header.FrameCount; }
  const std::vector<std::uint8_t>& Palette() const { return m_sprite.Header.Palette; }

  // A sprite read from `path` replaces the open one.
  void Load(SprDocument sprite, const QString& path);
  // New: no frames and no palette, and no file.
  void Clear();
  // The sprite was written whole to `path`.
  void MarkSaved(const QString& path);

  // Whether an edit was made since the sprite was loaded, made new or saved.
  bool Modified() const { return m_modified; }
  // The file the sprite was read from or last saved to; empty for a new sprite.
  const QString& FilePath() const { return m_filePath; }

  // Inserts an 8-bit bitmap as a frame after frame `after` (0 puts it first); the new
  // frame becomes the one the frame commands work on. A sprite without a palette
  // takes the bitmap's colour table.
  Status InsertBitmapFrame(int after, Converter_Bmp::BmpImage bitmap);
  // Deletes frame `number`; the next frame follows it, the previous one at the end.
  void DeleteFrame(int number);
  // Moves frame `number` to place `to` (both 1-based); the frame stays the current one.
  void MoveFrame(int number, int to);
  // The frame edits, each undone and redone as a whole.
  QUndoStack& FrameEdits() { return m_frameEdits; }
  const QUndoStack& FrameEdits() const { return m_frameEdits; }
  void ReplacePalette(std::vector<std::uint8_t> palette);
  // Writes the true colour of entry `index`; false when the palette does not hold it.
  bool SetPaletteEntry(int index, Color color);

  // The path of the last opened sprite, or the size of the last added frame.
  const QString& ToolTip() const { return m_toolTip; }
  void SetToolTip(const QString& text);

 signals:
  void loaded();
  void cleared();
  // Frames were added or deleted; `current` is the 1-based frame the edit leaves.
  void framesEdited(int current);
  void paletteEdited();
  void toolTipChanged();
  void modifiedChanged();

 private:
  void SetModified(bool modified);
  // Pushes a frame edit named `text`; `alreadyDone` when `redo` has been done already.
  void PushFrameEdit(const QString& text, std::function<void()> redo, std::function<void()> undo,
                     bool alreadyDone = false);
  // After a frame edit: the sprite is modified and frame `current` is the one left.
  void FramesChanged(int current);

  SprDocument m_sprite;
  QString m_filePath;
  bool m_modified = false;
  QString m_toolTip;
  QUndoStack m_frameEdits;
};

}  // namespace tessaloom
