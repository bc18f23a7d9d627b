#include "palette/spr_pal.h"

#include <QCloseEvent>
#include <QFrame>
#include <algorithm>

#include "app/bar_icons.h"
#include "app/status_texts.h"
#include "palette/pal_color.h"
#include "sprite/palette.h"

namespace tessaloom {
namespace {

// Cells are placed on a 16-pixel pitch, the grid inset from the frame's edges.
constexpr int kPitch = 16;
constexpr int kGridLeft = 8;
constexpr int kGridTop = 14;
constexpr int kGridMargin = 8;

}  // namespace

SprPal::SprPal(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("SprPal"));
  setWindowTitle(QStringLiteral("Palette"));
  setWindowIcon(AppIcon());
  setAttribute(Qt::WA_DeleteOnClose);

  m_container = new QFrame(this);
  m_container->setObjectName(QStringLiteral("PalContainer"));
  const int gridSize = (kColumns - 1) * kPitch + PalColor::kSize;
  m_container->setFixedSize(kGridLeft + gridSize + kGridMargin, kGridTop + gridSize + kGridMargin);
  for (int i = 0; i < kPaletteEntries; ++i) {
    auto* cell = new PalColor(i, m_container);
    cell->move(kGridLeft + kPitch * (i % kColumns), kGridTop + kPitch * (i / kColumns));
    m_cells[static_cast<std::size_t>(i)] = cell;
  }
  setCentralWidget(m_container);
}

int SprPal::ShowPalette(std::span<const std::uint8_t> palette) {
  const int entries = std::min(kPaletteEntries, static_cast<int>(palette.size() / 4));
  for (int i = 0; i < entries; ++i) {
    const Color color = Tool_Spr::PaletteColor(palette, static_cast<std::uint8_t>(i));
    PalColor& cell = Cell(i);
    cell.SetCellColor(color);
    cell.setToolTip(PaletteToolTip(color));
  }
  return entries;
}

void SprPal::closeEvent(QCloseEvent* event) {
  QMainWindow::closeEvent(event);
  if (event->isAccepted()) emit closed();
}

}  // namespace tessaloom
