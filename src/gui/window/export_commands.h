#pragma once
// Export frame and Export all: the sprite's frames written as 8-bit bitmaps, still
// GIFs (transparent GIF89a or GIF87a), indexed PNGs, or one animated GIF, the format
// chosen by the dialog's filter entry. The title says "(Writting)" while files are
// written. The files are written all or none, and a failure is reported under
// "Export error".
//
// Export frame writes the sprite frame that is current, also while the canvas shows
// an action (in Preview Mode it may be a 32-bit colour frame, which only a PNG
// holds); Export all names its files "hero-01.gif", "hero-02.gif"... after the
// chosen name. While an animated GIF is coded the window's events run between the
// frames, and the commands that change the sprite wait until it is written.
//
// Export Action writes the current action as the game draws it, at the current zoom:
// a looping GIF, or one PNG per clip; the typed extension, or else the filter entry,
// picks which.

#include <functional>

#include "core/common/result.h"

namespace tessaloom {

class Dialog;
class Messages;
class Session;

class ExportCommands {
 public:
  ExportCommands(Session& session, Dialog& dialog, Messages& messages);

  void ExportFrame();
  void ExportAll();
  void ExportAction();

 private:
  void ShowNothingToExport();
  // Runs `write` with the title saying so, and reports its failure unless
  // `cancelled` tells that the user stopped it.
  void Write(const std::function<Status()>& write, const std::function<bool()>& cancelled = {});

  Session& m_session;
  Dialog& m_dialog;
  Messages& m_messages;
};

}  // namespace tessaloom
