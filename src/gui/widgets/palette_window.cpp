#include "gui/widgets/palette_window.h"

#include <QCloseEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QFrame>
#include <QLabel>
#include <QStatusBar>
#include <QToolBar>
#include <algorithm>

#include "core/render/view_settings.h"
#include "gui/state/status_texts.h"
#include "gui/widgets/chrome.h"

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

PaletteCell::PaletteCell(int index, QWidget* parent) : QWidget(parent), m_index(index), m_color(kCanvasColor) {
  setObjectName(QStringLiteral("PalColor"));
  setFixedSize(kSize, kSize);
  setFocusPolicy(Qt::ClickFocus);
}

void PaletteCell::SetCellColor(Color color) {
  m_color = color;
  setToolTip(PaletteToolTip(color));
  update();
}

void PaletteCell::SetBordered(bool bordered) {
  m_bordered = bordered;
  update();
}

void PaletteCell::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), QColor(RedOf(m_color), GreenOf(m_color), BlueOf(m_color)));
  if (!m_bordered) return;
  painter.setPen(Qt::black);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void PaletteCell::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit clicked(m_index);
}

// Not passed on as a second press, so that a double click makes one click only.
void PaletteCell::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit doubleClicked(m_index);
}

void PaletteCell::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  emit focused(m_index);
}

PaletteWindow::PaletteWindow(QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("SprPal"));
  setWindowTitle(QStringLiteral("Palette"));
  setWindowIcon(AppIcon());
  setAttribute(Qt::WA_DeleteOnClose);

  m_container = new QFrame(this);
  m_container->setObjectName(QStringLiteral("PalContainer"));
  const int gridSize = (kColumns - 1) * kPitch + PaletteCell::kSize;
  m_container->setFixedSize(kGridLeft + gridSize + kGridMargin, kGridTop + gridSize + kGridMargin);
  for (int i = 0; i < kPaletteEntries; ++i) {
    auto* cell = new PaletteCell(i, m_container);
    cell->move(kGridLeft + kPitch * (i % kColumns), kGridTop + kPitch * (i / kColumns));
    m_cells[static_cast<std::size_t>(i)] = cell;
    connect(cell, &PaletteCell::clicked, this, &PaletteWindow::cellClicked);
    connect(cell, &PaletteCell::doubleClicked, this, &PaletteWindow::cellDoubleClicked);
    connect(cell, &PaletteCell::focused, this, &PaletteWindow::cellFocused);
  }
  setCentralWidget(m_container);
  BuildToolbar();
  BuildInfoPanels();
}

// The images are those of the main window's Open and Save buttons, and an arrow back.
void PaletteWindow::BuildToolbar() {
  QToolBar* bar = AddFixedToolBar(*this, "PalTool");
  m_import = AddButton(*bar, QStringLiteral("Import"), BarIcon(QStringLiteral("Open")), "Import Palette");
  m_export = AddButton(*bar, QStringLiteral("Export"), BarIcon(QStringLiteral("Save")), "Export Palette");
  bar->addSeparator();
  m_undo = AddButton(*bar, QStringLiteral("Undo"), BarIcon(QStringLiteral("Undo")),
                     "Undo palette change");
}

void PaletteWindow::BuildInfoPanels() {
  QStatusBar& bar = *statusBar();
  bar.setObjectName(QStringLiteral("PalInfo"));
  bar.setSizeGripEnabled(false);
  m_colorPanel = AddStatusPanel(bar, "PalInfoPanel1", QStringLiteral("RGB: 255, 255, 255"));
  m_indexPanel = AddStatusPanel(bar, "PalInfoPanel2", QStringLiteral("Index: 255"));
}

void PaletteWindow::ShowInfo(const QString& colorText, const QString& indexText) {
  m_colorPanel->setText(colorText);
  m_indexPanel->setText(indexText);
}

int PaletteWindow::ShowPalette(std::span<const std::uint8_t> palette) {
  const int entries = std::min(kPaletteEntries, static_cast<int>(palette.size() / 4));
  for (int i = 0; i < entries; ++i) {
    const Color color = Tool_Spr::PaletteColor(palette, static_cast<std::uint8_t>(i));
    Cell(i).SetCellColor(color);
  }
  return entries;
}

void PaletteWindow::closeEvent(QCloseEvent* event) {
  QMainWindow::closeEvent(event);
  if (event->isAccepted()) emit closed();
}

}  // namespace tessaloom
