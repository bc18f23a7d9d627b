#include "gui/app/spr_editing.h"

#include <QAction>
#include <QObject>

#include "gui/app/session.h"
#include "gui/palette/spr_pal.h"

namespace tessaloom {
namespace {

template <class Command>
void ConnectAll(std::initializer_list<QAction*> items, QObject& context, Command command) {
  for (QAction* item : items) QObject::connect(item, &QAction::triggered, &context, command);
}

}  // namespace

SprEditing::SprEditing(Session& session, SprOperations& window, Dialog& dialog, Messages& messages)
    : m_session(session),
      m_frames(session, window, dialog, messages, m_undo),
      m_exports(session, dialog, messages),
      m_paletteFiles(session, window, dialog, messages),
      m_paletteEditor(session, window, dialog, m_undo) {}

void SprEditing::Connect(QObject& window, const SprMenus& menus, const SprToolbars& bars) {
  ConnectAll({menus.AddFrame, bars.Add}, window, [this] { m_frames.AddFrame(); });
  ConnectAll({menus.DeleteFrame, bars.Sub}, window, [this] { m_frames.DeleteFrame(); });
  ConnectAll({menus.ExportFrame}, window, [this] { m_exports.ExportFrame(); });
  ConnectAll({menus.ExportAll}, window, [this] { m_exports.ExportAll(); });
  ConnectAll({menus.ExportPal}, window, [this] { m_paletteFiles.ExportPal(); });
  ConnectAll({menus.ImportPal}, window, [this] { m_paletteFiles.ImportPal(); });
  ConnectAll({menus.ReloadPal}, window, [this] { m_paletteFiles.ReloadPal(); });
  ConnectAll({menus.UndoPal}, window, [this] { m_paletteEditor.LoadPalUndo(); });
  m_paletteEditor.SetUndoMenuItem(menus.UndoPal);

  m_deleteFrame = menus.DeleteFrame;
  for (auto changed : {&Session::positionChanged, &Session::documentEdited, &Session::activityChanged})
    QObject::connect(&m_session, changed, &window, [this] { ShowDeleteEnabled(); });
  // Edits of the sprite that was open before cannot be undone in a new one.
  QObject::connect(&m_session, &Session::documentChanged, &window, [this] { m_undo.Clear(); });
}

void SprEditing::AttachPaletteWindow(SprPal& palette) {
  ConnectAll({palette.ImportButton()}, palette, [this] { m_paletteFiles.ImportPal(); });
  ConnectAll({palette.ExportButton()}, palette, [this] { m_paletteFiles.ExportPal(); });
  m_paletteEditor.Attach(palette);
}

void SprEditing::ShowDeleteEnabled() {
  m_deleteFrame->setEnabled(m_session.FrameCount() > 0 && !m_session.EditsHeldOff());
}

}  // namespace tessaloom
