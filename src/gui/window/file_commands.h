#pragma once
// The commands that put a sprite into the session or write it out: New, Open (the
// dialog), Open Recent File, a file dropped on the canvas, a path given at start,
// and Save.
//
// A load is all or nothing: a file that cannot be read, or is not a sprite, is
// reported and leaves the open sprite, the status bar and the recent list as they
// were. Save writes the sprite whole or not at all; a failure, or a sprite the
// format cannot hold, is reported under "Save error".
//
// A sprite with unsaved changes is not replaced without asking: New, Open, Open
// Recent File and a drop first offer to save it, to discard the changes or to cancel.

#include <QString>

namespace tessaloom {

class Dialog;
class Messages;
class PaletteCommands;
class Session;

class FileCommands {
 public:
  FileCommands(Session& session, PaletteCommands& palette, Dialog& dialog, Messages& messages);

  void NewFile();
  void OpenFile();
  void OpenRecent(int index);
  // Only a name whose last three letters are "spr", in any case, is opened.
  void OpenDropped(const QString& path);
  // A sprite named outside the program, such as on the command line.
  void OpenPath(const QString& path);
  // Asks for a name ("hero" is saved as "hero.spr") and writes the sprite; true when
  // it was written.
  bool Save();
  // Whether the open sprite may be replaced: it has no unsaved changes, or the user
  // saved them or chose to discard them.
  bool ConfirmReplace();

 private:
  // A path from the dialog, a drop or the command line: it joins the recent list.
  void OpenChosen(const QString& path);
  bool Load(const QString& path);

  Session& m_session;
  PaletteCommands& m_palette;
  Dialog& m_dialog;
  Messages& m_messages;
};

}  // namespace tessaloom
