#include "gui/widgets/actions_window.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidget>
#include <array>
#include <cstdint>

#include "gui/state/action_state.h"
#include "gui/widgets/action_tree.h"
#include "gui/widgets/chrome.h"

namespace tessaloom {
namespace {

constexpr int kStartWidth = 420;
constexpr int kStartHeight = 380;

// The property list: fixed rows, each a field label and a value, "0" until there is
// one to show. The layer rows show the fields of the clicked layer; the last row the
// current action's interval. Each row keeps its label as its key and the key of its
// value ("PosXValue") in the value column.
constexpr int kLayerRows = 16;
constexpr int kIntervalRow = kLayerRows;
constexpr int kPropertyRows = kLayerRows + 1;
constexpr int kLabelColumn = 0;
constexpr int kValueColumn = 1;

struct PropertyRow {
  const char* Label;
  const char* ValueKey;
};

constexpr std::array<PropertyRow, kPropertyRows> kRows{{
    {"Position X", "PosXValue"},
    {"Position Y", "PosYValue"},
    {"Size X", "SizeXValue"},
    {"Size Y", "SizeYValue"},
    {"Scale X", "ScaleXValue"},
    {"Scale Y", "ScaleYValue"},
    {"Direction", "DirectionValue"},
    {"Red", "RedValue"},
    {"Green", "GreenValue"},
    {"Blue", "BlueValue"},
    {"Alpha", "AlphaValue"},
    {"Extra X", "ExtraXValue"},
    {"Extra Y", "ExtraYValue"},
    {"Frame", "FrameValue"},
    {"Rotation", "RotationValue"},
    {"Sprite Type", "SpriteTypeValue"},
    {"Interval", "IntervalValue"},
}};

// Scales and intervals are stored as floats: "1", "0.5", "-1.25".
QString Decimal(float value) {
  constexpr int kDigits = 6;
  return QString::number(value, 'g', kDigits);
}

// The layer rows' values in their order.
std::array<QString, kLayerRows> RowValues(const ActLayer& layer, const ActClip& clip) {
  const auto n = [](std::int64_t value) { return QString::number(value); };
  return {n(layer.PosX),          n(layer.PosY),        n(layer.SizeX),         n(layer.SizeY),
          Decimal(ScaleValue(layer.ScaleX)), Decimal(ScaleValue(layer.ScaleY)), n(layer.Direction),
          n(layer.Red),           n(layer.Green),       n(layer.Blue),          n(layer.Alpha),
          n(clip.Extra.ExtraX),   n(clip.Extra.ExtraY), n(layer.SpriteIndex),   n(layer.Rotation),
          n(layer.SpriteType)};
}

// Sets up `list` as a two-column report with the headers "Field" and "Value".
void AddPropertyRows(QTreeWidget& list) {
  list.setColumnCount(2);
  list.setHeaderLabels({QStringLiteral("Field"), QStringLiteral("Value")});
  list.setRootIsDecorated(false);
  list.header()->setSectionResizeMode(kLabelColumn, QHeaderView::ResizeToContents);
  for (const PropertyRow& row : kRows) {
    auto* item = new QTreeWidgetItem(&list);
    const QString label = QString::fromLatin1(row.Label);
    item->setText(kLabelColumn, label);
    item->setData(kLabelColumn, Qt::UserRole, label);
    item->setText(kValueColumn, QStringLiteral("0"));
    item->setData(kValueColumn, Qt::UserRole, QString::fromLatin1(row.ValueKey));
  }
}

// The rows "Extra X" and "Extra Y" show the extra point of `clip`, which the file
// stores per clip rather than per layer.
void ShowLayerRows(QTreeWidget& list, const ActLayer& layer, const ActClip& clip) {
  const std::array<QString, kLayerRows> values = RowValues(layer, clip);
  for (int i = 0; i < kLayerRows; ++i) list.topLevelItem(i)->setText(kValueColumn, values[static_cast<std::size_t>(i)]);
}

void ClearLayerRows(QTreeWidget& list) {
  for (int i = 0; i < kLayerRows; ++i) list.topLevelItem(i)->setText(kValueColumn, QStringLiteral("0"));
}

}  // namespace

ActionsWindow::ActionsWindow(ActionState& state, QWidget* parent) : QMainWindow(parent, Qt::Window), m_state(state) {
  setObjectName(QStringLiteral("SprAct"));
  setWindowTitle(QStringLiteral("Action"));
  setWindowIcon(AppIcon());
  setAttribute(Qt::WA_DeleteOnClose);
  BuildToolbar();

  auto* content = new QWidget(this);
  auto* layout = new QHBoxLayout(content);
  m_tree = new QTreeWidget(content);
  m_tree->setObjectName(QStringLiteral("ActionsTree"));
  m_tree->setHeaderHidden(true);
  m_tree->setSelectionMode(QAbstractItemView::SingleSelection);
  m_tree->viewport()->installEventFilter(this);
  m_rows = new QTreeWidget(content);
  m_rows->setObjectName(QStringLiteral("FrameValue"));
  AddPropertyRows(*m_rows);
  layout->addWidget(m_tree, 1);
  layout->addWidget(m_rows, 1);
  setCentralWidget(content);

  BuildStatusBar();
  ShowVersion();
  ShowCurrentAction();
  LoadAnimation();
  connect(&m_state, &ActionState::currentActionChanged, this, &ActionsWindow::ShowCurrentAction);
  connect(&m_state, &ActionState::actReplaced, this, &ActionsWindow::ShowNewAct);
  resize(kStartWidth, kStartHeight);
}

void ActionsWindow::BuildToolbar() {
  QToolBar* bar = AddFixedToolBar(*this, "ActTool");
  // Two buttons that carry no command, with the document bar's first two images.
  bar->addAction(BarIcon(QStringLiteral("Open")), QString())->setObjectName(QStringLiteral("ActToolButton1"));
  bar->addAction(BarIcon(QStringLiteral("Save")), QString())->setObjectName(QStringLiteral("ActToolButton2"));
}

void ActionsWindow::BuildStatusBar() {
  QStatusBar& bar = *statusBar();
  bar.setObjectName(QStringLiteral("ActBar"));
  bar.setSizeGripEnabled(false);
  m_actionPanel = AddStatusPanel(bar, "ActBarPanel1");
  m_versionPanel = AddStatusPanel(bar, "ActBarPanel2");
}

void ActionsWindow::LoadAnimation() {
  const ActData* act = m_state.Act();
  FillActionsTree(*m_tree, act ? *act : ActData{});
}

void ActionsWindow::ShowNewAct() {
  LoadAnimation();
  ShowVersion();
  ShowCurrentAction();
  ClearLayerRows(*m_rows);
}

void ActionsWindow::ShowVersion() {
  const ActData* act = m_state.Act();
  m_versionPanel->setText(QStringLiteral("Version : ") + QString::number(act ? act->Version : 0));
}

void ActionsWindow::ShowCurrentAction() {
  m_actionPanel->setText(QStringLiteral("Current Action: ") +
                         QStringLiteral("%1").arg(m_state.CurrentAction() + 1, 2, 10, QLatin1Char('0')));
  const ActData* act = m_state.Act();
  m_rows->topLevelItem(kIntervalRow)
      ->setText(kValueColumn, act ? Decimal(ActionInterval(*act, m_state.CurrentAction())) : QStringLiteral("0"));
}

void ActionsWindow::TreeClicked() {
  const QList<QTreeWidgetItem*> selected = m_tree->selectedItems();
  if (selected.isEmpty()) return;
  const NodeIndices at = IndicesOf(*selected.first());
  if (at.Action < 0) return;  // an event
  m_state.SetCurrentAction(at.Action);
  if (at.Layer < 0) return;
  if (const ActClip* clip = ClipOfLayer(m_state.Act(), at))
    ShowLayerRows(*m_rows, clip->Layers[static_cast<std::size_t>(at.Layer)], *clip);
}

bool ActionsWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched != m_tree->viewport()) return QMainWindow::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      // A press away from the nodes would clear the selection; the click then acts on
      // the node that stays selected.
      return m_tree->itemAt(static_cast<QMouseEvent*>(event)->position().toPoint()) == nullptr;
    case QEvent::MouseButtonRelease:
      // The view has selected the node under the pointer on the press.
      if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) TreeClicked();
      return false;
    default:
      return false;
  }
}

void ActionsWindow::closeEvent(QCloseEvent* event) {
  QMainWindow::closeEvent(event);
  if (event->isAccepted()) emit closed();
}

}  // namespace tessaloom
