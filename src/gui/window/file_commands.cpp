#include "gui/window/file_commands.h"

#include <QFileInfo>

#include "core/sprite/spr_reader.h"
#include "core/sprite/spr_writer.h"
#include "gui/state/dialog.h"
#include "gui/state/messages.h"
#include "gui/state/session.h"
#include "gui/window/palette_commands.h"

namespace tessaloom {
namespace {

// What the window's title names a sprite that has no file yet.
constexpr char kUnnamedSprite[] = "Tessaloom+";

}  // namespace

FileCommands::FileCommands(Session& session, PaletteCommands& palette, Dialog& dialog, Messages& messages)
    : m_session(session), m_palette(palette), m_dialog(dialog), m_messages(messages) {}

void FileCommands::NewFile() {
  if (ConfirmReplace()) m_session.Document().Clear();
}

void FileCommands::OpenFile() {
  if (!ConfirmReplace()) return;
  const QString path =
      m_dialog.AskOpen(QStringLiteral("Open Spr ...."), QStringLiteral("Ragnarok SPR File |*.spr"));
  if (path.isEmpty()) {
    if (m_session.Document().FrameCount() == 0) m_session.WithdrawSpriteMenus();
    return;
  }
  OpenChosen(path);
}

void FileCommands::OpenRecent(int index) {
  const QStringList& paths = m_session.Recent().Paths();
  if (index < 0 || index >= paths.size() || !ConfirmReplace()) return;
  // The list is kept between runs, so it can be used before anything was opened in
  // this one.
  if (Load(paths[index])) m_session.EnableSpriteCommands();
}

void FileCommands::OpenDropped(const QString& path) {
  if (path.right(3).toLower() != QStringLiteral("spr")) {
    m_messages.Show(Message{.Text = QStringLiteral("This is not a valid sprite file"),
                            .Title = QStringLiteral("Error Opening Sprite")});
    return;
  }
  if (ConfirmReplace()) OpenChosen(path);
}

void FileCommands::OpenPath(const QString& path) { OpenChosen(path); }

void FileCommands::OpenChosen(const QString& path) {
  if (!Load(path)) return;
  m_session.EnableSpriteCommands();
  m_session.Recent().Add(path);
}

bool FileCommands::Load(const QString& path) {
  auto loaded = Tool_Spr::LoadSprite(FsPath(path));
  if (!loaded) {
    m_messages.Show(MessageFromError(loaded.error()));
    return false;
  }
  if (loaded->Warning) m_messages.Show(MessageFromError(*loaded->Warning, MessageIcon::None));

  m_session.SetActivity(Activity::Loading);
  m_session.Document().Load(std::move(loaded->Document), path);
  m_palette.LoadPalette();
  m_session.Document().SetToolTip(path);
  m_session.SetActivity(Activity::Idle);
  return true;
}

bool FileCommands::Save() {
  QString path = m_dialog.AskSave(QStringLiteral("Save Spr as..."), QStringLiteral("Sprite |*.spr"));
  if (path.isEmpty()) return false;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".spr");

  m_session.SetActivity(Activity::Writing);
  const Status saved = Tool_Spr::SaveSprite(FsPath(path), m_session.Document().Sprite());
  m_session.SetActivity(Activity::Idle);
  if (!saved) {
    m_messages.Show(MessageFromError(saved.error()));
    return false;
  }
  m_session.Document().MarkSaved(path);
  return true;
}

bool FileCommands::ConfirmReplace() {
  const DocumentState& document = m_session.Document();
  if (!document.Modified()) return true;
  const QString name =
      document.FilePath().isEmpty() ? QString::fromLatin1(kUnnamedSprite) : QFileInfo(document.FilePath()).fileName();
  switch (m_messages.AskSaveChanges(name)) {
    case SaveChoice::Save: return Save();
    case SaveChoice::Discard: return true;
    case SaveChoice::Cancel: break;
  }
  return false;
}

}  // namespace tessaloom
