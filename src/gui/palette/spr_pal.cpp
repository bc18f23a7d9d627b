#include "gui/palette/spr_pal.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QLabel>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <algorithm>

#include "gui/app/bar_icons.h"
#include "gui/app/status_panel.h"
#include "gui/app/status_texts.h"
#include "gui/palette/pal_color.h"
#include "core/sprite/palette.h"

namespace tessaloom {
namespace {

// Cells are placed on a 16-pixel pitch, the grid inset from the frame's edges.
constexpr int kPitch = 16;
constexpr int kGridLeft = 8;
constexpr int kGridTop = 14;
constexpr int kGridMargin = 8;

QAction* AddButton(QToolBar& bar, const QString& key, const QIcon& icon, const char* toolTip) {
  QAction* button = bar.addAction(icon, key);
  button->setObjectName(key);
  button->setData(key);
  button->setToolTip(QString::fromLatin1(toolTip));
  return button;
}

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
    connect(cell, &PalColor::clicked, this, &SprPal::cellClicked);
    connect(cell, &PalColor::doubleClicked, this, &SprPal::cellDoubleClicked);
    connect(cell, &PalColor::focused, this, &SprPal::cellFocused);
  }
  setCentralWidget(m_container);
  BuildToolbar();
  BuildInfoPanels();
}

// The images are those of the main window's Open and Save buttons, and an arrow back.
void SprPal::BuildToolbar() {
  auto* bar = new QToolBar(QStringLiteral("PalTool"), this);
  bar->setObjectName(QStringLiteral("PalTool"));
  bar->setMovable(false);
  bar->setFloatable(false);
  bar->toggleViewAction()->setVisible(false);
  addToolBar(Qt::TopToolBarArea, bar);
  m_import = AddButton(*bar, QStringLiteral("Import"), BarIcon(QStringLiteral("Open")), "Import Palette");
  m_export = AddButton(*bar, QStringLiteral("Export"), BarIcon(QStringLiteral("Save")), "Export Palette");
  bar->addSeparator();
  m_undo = AddButton(*bar, QStringLiteral("Undo"), QApplication::style()->standardIcon(QStyle::SP_ArrowBack),
                     "Undo palette change");
}

void SprPal::BuildInfoPanels() {
  QStatusBar& bar = *statusBar();
  bar.setObjectName(QStringLiteral("PalInfo"));
  bar.setSizeGripEnabled(false);
  m_colorPanel = AddStatusPanel(bar, "PalInfoPanel1", QStringLiteral("RGB: 255, 255, 255"));
  m_indexPanel = AddStatusPanel(bar, "PalInfoPanel2", QStringLiteral("Index: 255"));
}

void SprPal::ShowInfo(const QString& colorText, const QString& indexText) {
  m_colorPanel->setText(colorText);
  m_indexPanel->setText(indexText);
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
