#include "gui/window/palette_commands.h"

#include <QAction>

#include "core/palette/tool_pal.h"
#include "gui/state/dialog.h"
#include "gui/state/messages.h"
#include "gui/state/session.h"
#include "gui/widgets/palette_window.h"
#include "gui/window/palette_editing.h"

namespace tessaloom {
PaletteCommands::PaletteCommands(Session& session, PaletteEditing& editing, Dialog& dialog, Messages& messages,
                                 QObject* parent)
    : QObject(parent), m_session(session), m_editing(editing), m_dialog(dialog), m_messages(messages) {}

PaletteCommands::~PaletteCommands() { delete m_window.data(); }

PaletteWindow& PaletteCommands::EnsureWindow() {
  if (!m_window) {
    m_window = new PaletteWindow();
    connect(m_window, &PaletteWindow::closed, this, [this] { SetShown(false); });
    connect(m_window->ImportButton(), &QAction::triggered, this, m_session.HeldOffWhileBusy([this] { ImportPal(); }));
    connect(m_window->ExportButton(), &QAction::triggered, this, &PaletteCommands::ExportPal);
    m_editing.Attach(*m_window);
    emit windowChanged();
  }
  return *m_window;
}

void PaletteCommands::ToggleShown() {
  if (m_shown) {
    if (m_window) m_window->hide();
    SetShown(false);
    return;
  }
  PaletteWindow& window = EnsureWindow();
  if (!window.CellsFilled()) {
    LoadPalette();
    window.MarkCellsFilled();
  }
  window.show();
  SetShown(true);
}

void PaletteCommands::CloseWindow() {
  if (m_window) m_window->close();
}

void PaletteCommands::SetShown(bool shown) {
  m_shown = shown;
  emit windowChanged();
}

void PaletteCommands::LoadPalette() {
  const std::vector<std::uint8_t>& palette = m_session.Document().Palette();
  EnsureWindow().ShowPalette(palette);
  if (palette.size() >= static_cast<std::size_t>(kPaletteBytes)) return;
  if (palette.empty()) {
    m_messages.Show(Message{.Text = QStringLiteral("This palette is empty"),
                            .Title = QStringLiteral("Palettte empty"),
                            .Icon = MessageIcon::Information});
  } else {
    m_messages.Show(Message{.Text = QStringLiteral("This file has not a palette"),
                            .Title = QStringLiteral("Palettte not found"),
                            .Icon = MessageIcon::Information});
  }
}

QString PaletteCommands::AskPaletteFile(bool save, const char* title) {
  const QString filter = QStringLiteral("Ragnarok Palette File |*.pal|Microsoft Palette File |*.pal");
  return save ? m_dialog.AskSave(QString::fromLatin1(title), filter)
              : m_dialog.AskOpen(QString::fromLatin1(title), filter);
}

void PaletteCommands::ExportPal() {
  const QString path = AskPaletteFile(true, "Export Palette ....");
  if (path.isEmpty()) return;
  // Every entry other than the RIFF one writes the raw form.
  const auto form = m_dialog.FilterIndex() == static_cast<int>(Tool_Pal::PalForm::Riff) ? Tool_Pal::PalForm::Riff
                                                                                         : Tool_Pal::PalForm::Raw;
  const Status written = Tool_Pal::ExportPalette(FsPath(path), m_session.Document().Palette(), form);
  if (!written) m_messages.Show(MessageFromError(written.error()));
}

void PaletteCommands::ImportPal() {
  const QString path = AskPaletteFile(false, "Import Palette ....");
  if (!path.isEmpty()) ImportPalFrom(path);
}

void PaletteCommands::ImportPalFrom(const QString& path) {
  // The file's content tells its form, whichever entry the dialog remembered.
  auto imported = Tool_Pal::ImportPalette(FsPath(path));
  if (!imported) {
    m_messages.Show(MessageFromError(imported.error()));
    return;
  }
  const Status accepted = Tool_Pal::CheckReplacement(m_session.Document().Palette(), *imported);
  if (!accepted) {
    m_messages.Show(MessageFromError(accepted.error(), MessageIcon::Information));
    return;
  }
  m_session.Document().ReplacePalette(std::move(*imported));
  LoadPalette();
}

}  // namespace tessaloom
