#pragma once
// What the windows show and the commands change: the open sprite, the position in
// it, the view settings, the recent files, and the states of the commands that
// depend on them. The windows listen to its signals and draw their controls from it;
// they do not reach into each other's widgets.

#include <QObject>
#include <QString>
#include <optional>

#include "gui/actions/action_state.h"
#include "gui/app/recent_files.h"
#include "core/common/result.h"
#include "core/common/image.h"
#include "gui/render/playback.h"
#include "core/render/view_settings.h"
#include "core/sprite/spr_document.h"

class QSettings;

namespace tessaloom {

// What the program is busy with; the window title says it.
enum class Activity { Idle, Loading, Writing };

class Session : public QObject {
  Q_OBJECT

 public:
  explicit Session(QSettings& settings, QObject* parent = nullptr);

  // The open sprite.
  const SprDocument& Document() const { return m_document; }
  int FrameCount() const { return m_document.Header.FrameCount; }
  // A successful load: frame 1 becomes current and the status texts are rewritten.
  void ReplaceDocument(SprDocument document);
  // New: no frames, no palette, and the canvas colour back to its start value.
  void ClearDocument();

  // The position as the status bar shows it: the current 1-based frame and the total.
  int CurrentFrame() const { return m_currentFrame; }
  int FrameTotal() const { return m_frameTotal; }
  const QString& SizeText() const { return m_sizeText; }
  const QString& PositionText() const { return m_positionText; }
  // A transport step: the position and its text, which depends on the mode.
  void SetPosition(int current, int total, const QString& text);
  // The 1-based sprite frame the frame commands and Export frame work on: the current
  // frame in sprite mode, and in action mode the one that was current before it.
  int SpriteFrame() const { return m_spriteFrame; }

  // Edits of the open sprite (session_editing.cpp). A frame edit makes the frame it
  // leaves current the sprite frame and, in sprite mode, writes the status texts as a
  // load does.
  // Inserts `frame` after frame `after` (0 puts it first); the new frame is current.
  Status InsertFrame(int after, SprFrame frame);
  // Deletes frame `number`; the next frame is current, the previous one at the end.
  void DeleteFrame(int number);
  void ReplacePalette(std::vector<std::uint8_t> palette);
  // Writes the true colour of entry `index`; false when the palette does not hold it.
  bool SetPaletteEntry(int index, Color color);
  // The palette entry drawn with red and blue exchanged, -1 for none: a view effect,
  // the palette keeps its true colours.
  int HighlightIndex() const { return m_highlightIndex; }
  void SetHighlightIndex(int index);
  // Commands that change the sprite, or write it, wait while a file is written: an
  // animated export lets window events run between its frames.
  bool EditsHeldOff() const { return m_activity == Activity::Writing; }

  // Zoom: the drawing scale is ZoomStep / 3. A step at a limit leaves the step and
  // disables the menu item that pointed past it.
  int ZoomStep() const { return m_zoomStep; }
  const QString& ZoomText() const { return m_zoomText; }
  bool ZoomInEnabled() const { return m_zoomInEnabled; }
  bool ZoomOutEnabled() const { return m_zoomOutEnabled; }
  void ZoomIn();
  void ZoomOut();

  bool TransparencyOn() const { return m_transparencyOn; }
  void SetTransparencyOn(bool on);
  Color BackgroundColor() const { return m_backgroundColor; }
  const Image* BackgroundPicture() const { return m_backgroundPicture ? &*m_backgroundPicture : nullptr; }
  void SetBackgroundPicture(Image picture);
  void SetBackgroundColor(Color color);
  // The settings of a draw centred on a client area of the given size.
  ViewSettings View(int clientWidth, int clientHeight) const;

  const QStringList& RecentFiles() const { return m_recentFiles.Paths(); }
  void AddRecentFile(const QString& path);

  // The path of the last opened sprite, shown as the canvas tooltip.
  const QString& CanvasToolTip() const { return m_canvasToolTip; }
  void SetCanvasToolTip(const QString& text);

  Activity CurrentActivity() const { return m_activity; }
  void SetActivity(Activity activity);

  // The commands that need a sprite: the menu items (export frame, save, the palette
  // and zoom menus), the document toolbar's buttons (save, palette, zoom), and the
  // transport bar with the popup's "Show Palette", enabled by the first load.
  bool SpriteMenusEnabled() const { return m_spriteMenusEnabled; }
  bool SpriteButtonsEnabled() const { return m_spriteButtonsEnabled; }
  bool TransportEnabled() const { return m_transportEnabled; }
  void EnableSpriteCommands();
  void DisableSpriteMenus();

  bool PaletteShown() const { return m_paletteShown; }
  void SetPaletteShown(bool shown);

  // The imported action file and the current action.
  ActionState& Actions() { return m_actions; }
  const ActionState& Actions() const { return m_actions; }
  // The transport's mode, looping and timer.
  Playback& Transport() { return m_playback; }
  const Playback& Transport() const { return m_playback; }

 signals:
  // A new sprite: loaded, or emptied by New.
  void documentChanged();
  // The open sprite's frames or palette changed.
  void documentEdited();
  void positionChanged();
  void zoomChanged();
  void viewChanged();
  void recentFilesChanged();
  void canvasToolTipChanged();
  void activityChanged();
  void commandStatesChanged();
  void paletteShownChanged();

 private:
  void WriteLoadedPosition();
  void WriteFramePosition(int current);
  void ShowEditedFrame(int current);
  void SetZoom(int step, bool inEnabled, bool outEnabled);

  SprDocument m_document;

  int m_currentFrame = 0;
  int m_spriteFrame = 0;
  int m_frameTotal = 0;
  QString m_sizeText = QStringLiteral("Size : ");
  QString m_positionText = QStringLiteral("Frame : 0/0");

  int m_zoomStep = kMinZoomStep;
  QString m_zoomText = QStringLiteral("x1");  // until the first zoom command
  bool m_zoomInEnabled = true;
  bool m_zoomOutEnabled = false;

  bool m_transparencyOn = true;
  int m_highlightIndex = -1;
  Color m_backgroundColor = kCanvasColor;
  std::optional<Image> m_backgroundPicture;

  tessaloom::RecentFiles m_recentFiles;
  QString m_canvasToolTip;
  Activity m_activity = Activity::Idle;

  bool m_spriteMenusEnabled = false;
  bool m_spriteButtonsEnabled = false;
  bool m_transportEnabled = false;
  bool m_paletteShown = false;

  ActionState m_actions;
  Playback m_playback;
};

}  // namespace tessaloom
