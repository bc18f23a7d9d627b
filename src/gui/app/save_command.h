#pragma once
// Save: asks for a name and writes the sprite as a run-length coded file. The file
// is written whole or not at all; a failure or a sprite the format cannot hold is
// reported under "Save error".

namespace tessaloom {

class Dialog;
class Messages;
class Session;

class SaveCommand {
 public:
  SaveCommand(Session& session, Dialog& dialog, Messages& messages);

  void Save();

 private:
  Session& m_session;
  Dialog& m_dialog;
  Messages& m_messages;
};

}  // namespace tessaloom
