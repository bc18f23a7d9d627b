#pragma once
// The commands that change how the canvas shows the sprite without changing the
// sprite: zoom, transparency and the background picture. Each shows its effect at
// once.

namespace tessaloom {

class Dialog;
class Messages;
class Session;
class SprOperations;

class ViewCommands {
 public:
  ViewCommands(Session& session, SprOperations& window, Dialog& dialog, Messages& messages);

  void ZoomIn();
  void ZoomOut();
  void SetTransparency(bool on);
  // Asks for a picture and makes it the canvas background; a file that is not a
  // readable picture is reported and the previous background stays.
  void SetBackground();

 private:
  Session& m_session;
  SprOperations& m_window;
  Dialog& m_dialog;
  Messages& m_messages;
};

}  // namespace tessaloom
