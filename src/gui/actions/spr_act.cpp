#include "gui/actions/spr_act.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeWidget>

#include "gui/actions/action_state.h"
#include "gui/actions/action_tree.h"
#include "gui/actions/frame_value.h"
#include "gui/app/bar_icons.h"
#include "gui/app/status_panel.h"

namespace tessaloom {
namespace {

constexpr int kStartWidth = 420;
constexpr int kStartHeight = 380;

}  // namespace

SprAct::SprAct(ActionState& state, QWidget* parent) : QMainWindow(parent, Qt::Window), m_state(state) {
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
  m_state.SetCurrentAction(0);
  ShowCurrentAction();
  LoadAnimation();
  connect(&m_state, &ActionState::currentActionChanged, this, &SprAct::ShowCurrentAction);
  connect(&m_state, &ActionState::actReplaced, this, &SprAct::ShowNewAct);
  resize(kStartWidth, kStartHeight);
}

void SprAct::BuildToolbar() {
  auto* bar = new QToolBar(QStringLiteral("ActTool"), this);
  bar->setObjectName(QStringLiteral("ActTool"));
  bar->setMovable(false);
  bar->toggleViewAction()->setVisible(false);
  // Two buttons that carry no command, with the document bar's first two images.
  bar->addAction(BarIcon(QStringLiteral("Open")), QString())->setObjectName(QStringLiteral("ActToolButton1"));
  bar->addAction(BarIcon(QStringLiteral("Save")), QString())->setObjectName(QStringLiteral("ActToolButton2"));
  addToolBar(Qt::TopToolBarArea, bar);
}

void SprAct::BuildStatusBar() {
  QStatusBar& bar = *statusBar();
  bar.setObjectName(QStringLiteral("ActBar"));
  bar.setSizeGripEnabled(false);
  m_actionPanel = AddStatusPanel(bar, "ActBarPanel1");
  m_versionPanel = AddStatusPanel(bar, "ActBarPanel2");
}

void SprAct::LoadAnimation() {
  const ActData* act = m_state.Act();
  FillActionsTree(*m_tree, act ? *act : ActData{});
}

void SprAct::ShowNewAct() {
  LoadAnimation();
  ShowVersion();
  ClearPropertyRows(*m_rows);
}

void SprAct::ShowVersion() {
  const ActData* act = m_state.Act();
  m_versionPanel->setText(QStringLiteral("Version : ") + QString::number(act ? act->Version : 0));
}

void SprAct::ShowCurrentAction() {
  m_actionPanel->setText(QStringLiteral("Current Action: ") +
                         QStringLiteral("%1").arg(m_state.CurrentAction() + 1, 2, 10, QLatin1Char('0')));
}

void SprAct::TreeClicked() {
  const QList<QTreeWidgetItem*> selected = m_tree->selectedItems();
  if (selected.isEmpty()) return;
  const NodeIndices at = IndicesOf(*selected.first());
  m_state.SetCurrentAction(at.Action);
  if (at.Layer < 0) return;
  if (const ActClip* clip = ClipOfLayer(m_state.Act(), at))
    ShowLayerRows(*m_rows, clip->Layers[static_cast<std::size_t>(at.Layer)], *clip);
}

bool SprAct::eventFilter(QObject* watched, QEvent* event) {
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

void SprAct::closeEvent(QCloseEvent* event) {
  QMainWindow::closeEvent(event);
  if (event->isAccepted()) emit closed();
}

}  // namespace tessaloom
