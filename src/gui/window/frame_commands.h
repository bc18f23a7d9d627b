#pragma once
// The commands that change the sprite's frame list: Add inserts an 8-bit bitmap as a
// new frame after the current one, Delete removes the current frame after asking.
// Both work on the sprite frame that is current, also while the canvas shows an
// action; the 32-bit colour frames Preview Mode lists are not edited. A bitmap that
// cannot be read, or is not 8 bits, adds nothing.

#include <QString>

namespace tessaloom {

class Dialog;
class Messages;
class PaletteCommands;
class PaletteEditing;
class Session;

class FrameCommands {
 public:
  FrameCommands(Session& session, PaletteCommands& palette, PaletteEditing& editing, Dialog& dialog,
                Messages& messages);

  void AddFrame();
  void AddFrameFrom(const QString& path);
  // Moves the current frame `by` places (-1 left, +1 right); not past either end.
  void MoveFrame(int by);
  void DeleteFrame();

 private:
  Session& m_session;
  PaletteCommands& m_palette;
  PaletteEditing& m_editing;
  Dialog& m_dialog;
  Messages& m_messages;
};

}  // namespace tessaloom
