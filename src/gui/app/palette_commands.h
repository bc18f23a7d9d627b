#pragma once
// The palette file commands of both windows: Export and Import in the raw form
// (filter entry 1) or the RIFF form (entry 2), and Reload Palette. A file that cannot
// be read or written is reported under "Palette error"; an import that would empty
// a palette is refused.

namespace tessaloom {

class Dialog;
class Messages;
class Session;
class SprOperations;

class PaletteCommands {
 public:
  PaletteCommands(Session& session, SprOperations& window, Dialog& dialog, Messages& messages);

  void ExportPal();
  void ImportPal();
  // Refills the palette window's cells from the palette.
  void ReloadPal();

 private:
  void PreparePaletteDialog(const char* title);

  Session& m_session;
  SprOperations& m_window;
  Dialog& m_dialog;
  Messages& m_messages;
};

}  // namespace tessaloom
