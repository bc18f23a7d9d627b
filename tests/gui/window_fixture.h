#pragma once
// A main window on its own session, settings file and temporary folder, with the
// scripted dialog and the captured messages, and the sprites the tests open.

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QSettings>
#include <QString>
#include <memory>
#include <span>

#include "gui/app/session.h"
#include "gui/app/spr.h"
#include "core/common/image.h"
#include "scripted_seams.h"
#include "core/render/view_settings.h"
#include "core/sprite/spr_document.h"
#include "support/frame_builder.h"
#include "support/temp_dir.h"

namespace tessaloom {

// 256 distinct entries in memory order; entry 0 is red 255, green 0, blue 255 and no
// other entry has that colour.
std::vector<std::uint8_t> TestPalette();
Color TestPaletteColor(int index);

// `frameCount` frames with the test palette: frame i is (3 + i) x (2 + i) pixels of
// index i + 1.
SprDocument TestSprite(int frameCount);

// Whether two sprites have the same frames (sizes and pixels) and palette; what a
// file keeps of a sprite, without the reader's bookkeeping (Compressed, DataSize,
// FrameNumber).
::testing::AssertionResult SameImages(const SprDocument& actual, const SprDocument& expected);

class WindowTest : public ::testing::Test {
 protected:
  WindowTest();
  ~WindowTest() override;

  // Writes `document` with the core's writer into the test folder.
  QString WriteSprite(const QString& name, const SprDocument& document);
  QString WriteBytes(const QString& name, std::span<const std::uint8_t> bytes);
  QString PathOf(const QString& name) const;

  // File > Open File, the dialog answering `path`.
  void OpenByDialog(const QString& path);
  // Drops `paths` on the canvas as the desktop would.
  void Drop(const QStringList& paths);

  // A (re)start: a new session and window reading the same settings file.
  void Restart();

  QAction* Action(const char* name) const;
  QMenu* Menu(const char* name) const;
  QString PanelText(int panel) const;
  Argb CanvasPixel(int x, int y) const;
  const Image& CanvasImage() const;
  int CanvasCount(Color color) const;
  // Where the canvas shows anything but its own background colour.
  PixelRect DrawnArea() const { return BoundsOfPixelsOtherThan(CanvasImage(), ToArgb(kCanvasColor)); }
  std::vector<QString> RecentCaptions() const;
  // Exactly `count` messages were shown, the last titled `title` with `text` in it.
  // Message `index` as shown, without its detail (an empty one when there is none).
  Message ShownMessage(std::size_t index) const;
  ::testing::AssertionResult LastMessage(std::size_t count, const QString& title, const QString& text = {}) const;

  TempDir m_dir;
  ScriptedDialog m_dialog;
  CapturedMessages m_messages;
  std::unique_ptr<QSettings> m_settings;
  std::unique_ptr<Session> m_session;
  std::unique_ptr<Spr> m_window;
};

}  // namespace tessaloom
