#include "gui/app/save_command.h"

#include "gui/app/dialog.h"
#include "gui/app/fs_path.h"
#include "gui/app/messages.h"
#include "gui/app/session.h"
#include "core/sprite/spr_writer.h"

namespace tessaloom {

SaveCommand::SaveCommand(Session& session, Dialog& dialog, Messages& messages)
    : m_session(session), m_dialog(dialog), m_messages(messages) {}

void SaveCommand::Save() {
  m_dialog.SetTitle(QStringLiteral("Save Spr as..."));
  m_dialog.SetFilter(QStringLiteral("Sprite |*.spr"));
  m_dialog.SetFileName(QString());
  m_dialog.ShowSave();
  const QString path = m_dialog.FileName();
  if (path.isEmpty()) return;

  m_session.SetActivity(Activity::Writing);
  const Status saved = Tool_Spr::SaveSprite(FsPath(path), m_session.Document());
  m_session.SetActivity(Activity::Idle);
  if (!saved) {
    Message message = MessageFromError(saved.error());
    message.Title = QString::fromLatin1(Tool_Spr::kSaveErrorTitle);
    m_messages.Show(message);
  }
}

}  // namespace tessaloom
