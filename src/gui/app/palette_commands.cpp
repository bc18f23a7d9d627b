#include "gui/app/palette_commands.h"

#include "gui/app/dialog.h"
#include "gui/app/fs_path.h"
#include "gui/app/messages.h"
#include "gui/app/session.h"
#include "gui/app/spr_operations.h"
#include "core/palette/tool_pal.h"

namespace tessaloom {
namespace {

Message PaletteMessage(const Error& error) {
  Message message = MessageFromError(error);
  message.Title = QString::fromLatin1(Tool_Pal::kPaletteErrorTitle);
  return message;
}

}  // namespace

PaletteCommands::PaletteCommands(Session& session, SprOperations& window, Dialog& dialog, Messages& messages)
    : m_session(session), m_window(window), m_dialog(dialog), m_messages(messages) {}

void PaletteCommands::PreparePaletteDialog(const char* title) {
  m_dialog.SetTitle(QString::fromLatin1(title));
  m_dialog.SetFilter(QStringLiteral("Ragnarok Palette File |*.pal|Microsoft Palette File |*.pal"));
  m_dialog.SetFileName(QString());
}

void PaletteCommands::ExportPal() {
  PreparePaletteDialog("Export Palette ....");
  m_dialog.ShowSave();
  const QString path = m_dialog.FileName();
  if (path.isEmpty()) return;
  // Every entry other than the RIFF one writes the raw form.
  const auto form = m_dialog.FilterIndex() == static_cast<int>(Tool_Pal::PalForm::Riff) ? Tool_Pal::PalForm::Riff
                                                                                         : Tool_Pal::PalForm::Raw;
  const Status written = Tool_Pal::ExportPalette(FsPath(path), m_session.Document().Header.Palette, form);
  if (!written) m_messages.Show(PaletteMessage(written.error()));
}

void PaletteCommands::ImportPal() {
  if (m_session.EditsHeldOff()) return;
  PreparePaletteDialog("Import Palette ....");
  m_dialog.ShowOpen();
  const QString path = m_dialog.FileName();
  if (path.isEmpty()) return;
  const int index = m_dialog.FilterIndex();
  if (index != static_cast<int>(Tool_Pal::PalForm::Raw) && index != static_cast<int>(Tool_Pal::PalForm::Riff)) return;

  auto imported = Tool_Pal::ImportPalette(FsPath(path), static_cast<Tool_Pal::PalForm>(index));
  if (!imported) {
    m_messages.Show(PaletteMessage(imported.error()));
    return;
  }
  const Status accepted = Tool_Pal::CheckReplacement(m_session.Document().Header.Palette, *imported);
  if (!accepted) {
    m_messages.Show(MessageFromError(accepted.error(), MessageIcon::Information));
    return;
  }
  m_session.ReplacePalette(std::move(*imported));
  m_window.LoadPalette();
  m_window.Refresh();
}

void PaletteCommands::ReloadPal() { m_window.LoadPalette(); }

}  // namespace tessaloom
