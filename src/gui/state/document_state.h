#pragma once
// The open sprite: its frames and palette, and the text the canvas shows as its
// tooltip. Loading, New and every edit go through here, and the signals say which
// of them happened, so the windows redraw what changed.

#include <QObject>
#include <QString>

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

  // A sprite read from a file replaces the open one.
  void Load(SprDocument sprite);
  // New: no frames and no palette.
  void Clear();

  // Inserts an 8-bit bitmap as a frame after frame `after` (0 puts it first); the new
  // frame becomes the one the frame commands work on. A sprite without a palette
  // takes the bitmap's colour table.
  Status InsertBitmapFrame(int after, Converter_Bmp::BmpImage bitmap);
  // Deletes frame `number`; the next frame follows it, the previous one at the end.
  void DeleteFrame(int number);
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

 private:
  SprDocument m_sprite;
  QString m_toolTip;
};

}  // namespace tessaloom
