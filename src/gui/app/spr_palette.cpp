// The main window's side of the palette window: creating it, filling its cells,
// showing and hiding it.

#include "gui/app/messages.h"
#include "gui/app/session.h"
#include "gui/app/spr.h"
#include "gui/palette/spr_pal.h"

namespace tessaloom {

SprPal* Spr::PaletteWindow() const { return m_palette.data(); }

SprPal& Spr::EnsurePaletteWindow() {
  if (!m_palette) {
    m_palette = new SprPal();
    connect(m_palette, &SprPal::closed, this, [this] { m_session.SetPaletteShown(false); });
    m_editing.AttachPaletteWindow(*m_palette);
  }
  return *m_palette;
}

void Spr::LoadPalette() {
  const std::vector<std::uint8_t>& palette = m_session.Document().Header.Palette;
  EnsurePaletteWindow().ShowPalette(palette);
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

void Spr::TogglePalette() {
  if (m_session.PaletteShown()) {
    if (m_palette) m_palette->hide();
    m_session.SetPaletteShown(false);
    return;
  }
  SprPal& palette = EnsurePaletteWindow();
  if (!palette.CellsFilled()) {
    LoadPalette();
    palette.MarkCellsFilled();
  }
  palette.show();
  m_session.SetPaletteShown(true);
}

}  // namespace tessaloom
