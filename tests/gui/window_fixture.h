#pragma once
// The main window on its own session, settings file and temporary folder, with the
// scripted dialog and the captured messages; its controls found by their names.

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QSettings>
#include <algorithm>
#include <memory>
#include <optional>
#include <span>

#include "core/render/view_settings.h"
#include "core/sprite/palette.h"
#include "gui/state/session.h"
#include "gui/widgets/canvas_view.h"
#include "gui/widgets/palette_window.h"
#include "gui/window/main_window.h"
#include "scripted_seams.h"
#include "support/frame_builder.h"
#include "support/temp_dir.h"

namespace tessaloom {

// The palette of the support builders' sprites, in memory order, and its entries.
inline std::vector<std::uint8_t> TestPalette() { return SpriteOf({}).Header.Palette; }
inline Color TestColor(int index) { return Tool_Spr::PaletteColor(TestPalette(), static_cast<std::uint8_t>(index)); }
// `count` frames with the test palette: frame i is (3 + i) x (2 + i) pixels of index i + 1.
SprDocument TestSprite(int count);
// The same frame sizes, pixels and palette: what a file keeps of a sprite.
bool SameImages(const SprDocument& actual, const SprDocument& expected);

class WindowTest : public ::testing::Test {
 protected:
  WindowTest();
  ~WindowTest() override;

  QString PathOf(const QString& name) const { return QString::fromStdString((m_dir / name.toStdString()).string()); }
  QString WriteBytes(const QString& name, std::span<const std::uint8_t> bytes);
  QString WriteSprite(const QString& name, const SprDocument& sprite);
  // An 8-bit bitmap of `rows` (top row first) with the gradient colour table.
  QString WriteBitmap(const QString& name, const std::vector<std::vector<std::uint8_t>>& rows, int bits = 8);
  // A (re)start: a new session and window reading the same settings file.
  void Restart();

  QAction* Action(const char* name) const { return m_window->findChild<QAction*>(QString::fromLatin1(name)); }
  QMenu* Menu(const char* name) const { return m_window->findChild<QMenu*>(QString::fromLatin1(name)); }
  void Trigger(const char* name) { Action(name)->trigger(); }
  // Those of the named items, buttons, menus and toolbars that are enabled.
  QStringList Enabled(const QStringList& names) const;
  // Triggers `name`, the dialog answering `path` with filter entry `filterIndex`.
  void Answer(const char* name, const QString& path, int filterIndex = 1) {
    m_dialog.AnswerFile(path, filterIndex);
    Trigger(name);
  }
  void OpenByDialog(const QString& path) { Answer("OpenFile", path); }
  void Drop(const QStringList& paths);

  const SprDocument& Sprite() const { return m_session->Document().Sprite(); }
  QString PanelText(int panel) const;
  std::vector<QString> RecentCaptions() const;
  const Image& CanvasImage() const { return m_window->Canvas().Canvas(); }
  int CanvasCount(Color color) const { return static_cast<int>(std::ranges::count(CanvasImage().Pixels, ToArgb(color))); }
  // Where the canvas shows anything but its own background colour.
  PixelRect DrawnArea() const { return BoundsOfPixelsOtherThan(CanvasImage(), ToArgb(kCanvasColor)); }
  PaletteCell& Cell(int index) const { return m_window->Palette()->Cell(index); }
  // Exactly `count` (at least one) messages were shown, the last titled `title` with `text` in it
  // and, when given, `icon`.
  ::testing::AssertionResult LastMessage(std::size_t count, const QString& title, const QString& text = {},
                                         std::optional<MessageIcon> icon = {}) const;

  TempDir m_dir;
  ScriptedDialog m_dialog;
  CapturedMessages m_messages;
  std::unique_ptr<QSettings> m_settings;
  std::unique_ptr<Session> m_session;
  std::unique_ptr<MainWindow> m_window;
};

}  // namespace tessaloom
