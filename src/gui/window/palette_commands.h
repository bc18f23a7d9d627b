#pragma once
// The palette window and the palette file commands of both windows. The window is
// made hidden on first use and its cells are filled from the sprite's palette when a
// sprite is loaded, a palette imported, a frame added, on Reload Palette and on the
// first Show Palette. Export and Import read and write the raw form (filter entry 1)
// or the RIFF form (entry 2); a file that cannot be read or written is reported under
// "Palette error", and an import that would empty a palette is refused.

#include <QObject>
#include <QPointer>
#include "gui/widgets/palette_window.h"

namespace tessaloom {

class Dialog;
class Messages;
class PaletteEditing;
class Session;

class PaletteCommands : public QObject {
  Q_OBJECT

 public:
  PaletteCommands(Session& session, PaletteEditing& editing, Dialog& dialog, Messages& messages,
                  QObject* parent = nullptr);
  ~PaletteCommands() override;

  // The palette window, or null while it does not exist.
  PaletteWindow* Window() const { return m_window.data(); }
  // The show and hide commands alternate on this; the window's close box clears it.
  bool Shown() const { return m_shown; }
  void ToggleShown();
  void CloseWindow();

  // Fills the window's cells from the palette, reporting a palette that is empty or
  // has less than 256 entries.
  void LoadPalette();
  void ExportPal();
  void ImportPal();
  void ImportPalFrom(const QString& path);

 signals:
  // The window was made, or shown, hidden or closed.
  void windowChanged();

 private:
  PaletteWindow& EnsureWindow();
  QString AskPaletteFile(bool save, const char* title);
  void SetShown(bool shown);

  Session& m_session;
  PaletteEditing& m_editing;
  Dialog& m_dialog;
  Messages& m_messages;
  QPointer<PaletteWindow> m_window;
  bool m_shown = false;
};

}  // namespace tessaloom
