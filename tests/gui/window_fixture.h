#pragma once
// The main window on its own session, settings file and temporary folder, with the
// scripted dialog and the captured messages; its controls found by their names.

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QSettings>
#include <QTreeWidgetItem>
#include <algorithm>
#include <memory>
#include <span>

#include "core/render/view_settings.h"
#include "core/sprite/spr_document.h"
#include "gui/state/session.h"
#include "gui/widgets/actions_window.h"
#include "gui/widgets/canvas_view.h"
#include "gui/widgets/palette_window.h"
#include "gui/window/main_window.h"
#include "scripted_seams.h"
#include "support/act_bytes.h"
#include "support/frame_builder.h"
#include "support/temp_dir.h"

namespace tessaloom {

// 256 distinct entries; entry 0 is red 255, green 0, blue 255.
Color TestColor(int index);
std::vector<std::uint8_t> TestPalette();
// `count` frames with the test palette: frame i is (3 + i) x (2 + i) pixels of index i + 1.
SprDocument TestSprite(int count);
// The same frame sizes, pixels and palette: what a file keeps of a sprite.
bool SameImages(const SprDocument& actual, const SprDocument& expected);
// Actions of the given clip counts, each clip one layer drawing frame 0.
ActFileFields ActionsOfClips(std::initializer_list<int> clipCounts);

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

  QAction* Action(const char* name) const;
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
  // Exactly `count` messages were shown, the last titled `title` with `text` in it.
  ::testing::AssertionResult LastMessage(std::size_t count, const QString& title, const QString& text = {}) const;

  // The palette window shown and active, so that a click gives a cell the focus.
  PaletteWindow& ShowPalette();
  PaletteCell& Cell(int index) const { return m_window->Palette()->Cell(index); }
  void DoubleClick(int index);
  Color Entry(int index) const { return Tool_Spr::PaletteColor(Sprite().Header.Palette, static_cast<std::uint8_t>(index)); }

  void Import(const ActFileFields& file) { Answer("ImportAct", WriteBytes("file.act", BuildActFile(file))); }
  ActionsWindow& Actions() const;
  QTreeWidgetItem* Node(const QString& key) const;
  QStringList Keys() const;
  void ClickNode(const QString& key);
  QString Row(const char* label) const;
  QString ActPanel(int panel) const { return Actions().findChild<QLabel*>(QStringLiteral("ActBarPanel%1").arg(panel))->text(); }

  TempDir m_dir;
  ScriptedDialog m_dialog;
  CapturedMessages m_messages;
  std::unique_ptr<QSettings> m_settings;
  std::unique_ptr<Session> m_session;
  std::unique_ptr<MainWindow> m_window;
};

}  // namespace tessaloom
