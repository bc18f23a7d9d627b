#include "gui/app/open_commands.h"

#include "gui/app/dialog.h"
#include "gui/app/fs_path.h"
#include "gui/app/messages.h"
#include "gui/app/session.h"
#include "gui/app/spr_operations.h"
#include "core/sprite/spr_reader.h"

namespace tessaloom {

OpenCommands::OpenCommands(Session& session, SprOperations& window, Dialog& dialog, Messages& messages)
    : m_session(session), m_window(window), m_dialog(dialog), m_messages(messages) {}

void OpenCommands::NewFile() {
  m_session.ClearDocument();
  m_window.ClearCanvas();
}

void OpenCommands::OpenFile() {
  m_dialog.SetTitle(QStringLiteral("Open Spr ...."));
  m_dialog.SetFilter(QStringLiteral("Ragnarok SPR File |*.spr"));
  m_dialog.SetFileName(QString());
  m_dialog.ShowOpen();
  const QString path = m_dialog.FileName();
  if (path.isEmpty()) {
    if (m_session.FrameCount() == 0) m_session.DisableSpriteMenus();
    return;
  }
  OpenChosen(path);
}

void OpenCommands::OpenRecent(int index) {
  if (index < 0 || index >= m_session.RecentFiles().size()) return;
  // The list is kept between runs, so it can be used before anything was opened in
  // this one.
  if (Load(m_session.RecentFiles()[index])) m_session.EnableSpriteCommands();
}

void OpenCommands::OpenDropped(const QString& path) {
  if (path.right(3).toLower() != QStringLiteral("spr")) {
    m_messages.Show(Message{.Text = QStringLiteral("This is not a valid sprite file"),
                            .Title = QStringLiteral("Error Opening Sprite")});
    return;
  }
  OpenChosen(path);
}

void OpenCommands::OpenPath(const QString& path) { OpenChosen(path); }

void OpenCommands::OpenChosen(const QString& path) {
  if (!Load(path)) return;
  m_session.EnableSpriteCommands();
  m_session.AddRecentFile(path);
}

bool OpenCommands::Load(const QString& path) {
  auto loaded = Tool_Spr::LoadSprite(FsPath(path));
  if (!loaded) {
    m_messages.Show(MessageFromError(loaded.error()));
    return false;
  }
  if (loaded->Warning) m_messages.Show(MessageFromError(*loaded->Warning, MessageIcon::None));

  m_session.SetActivity(Activity::Loading);
  m_session.ReplaceDocument(std::move(loaded->Document));
  m_window.LoadPalette();
  m_session.SetCanvasToolTip(path);
  m_window.DrawFrame(m_session.CurrentFrame());
  m_session.SetActivity(Activity::Idle);
  return true;
}

}  // namespace tessaloom
