// The actions window: created hidden on first use, the tree of an action file with
// its keys, texts and images, the rows of a clicked layer, the current action, the
// status panels, Reload Actions, and showing, hiding and closing it.

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>
#include <QTreeWidget>

#include "gui/actions/action_tree.h"
#include "gui/app/bar_icons.h"
#include "actions_fixture.h"

namespace tessaloom {
namespace {

QImage IconImage(const QIcon& icon) { return icon.pixmap(16).toImage(); }

TEST_F(ActionsTest, TheFirstReadingOfTheCurrentActionCreatesAnEmptyHiddenWindow) {
  EXPECT_EQ(m_window->ActionsWindow(), nullptr);
  EXPECT_EQ(m_window->CurrentAction(), 0);
  Action("ReloadAct")->trigger();
  SprAct& window = ActWindow();
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(window.windowTitle(), "Action");
  EXPECT_EQ(window.Tree().objectName(), "ActionsTree");
  EXPECT_EQ(window.Tree().topLevelItemCount(), 0);
  EXPECT_EQ(ActPanel(1), "Current Action: 01");
  EXPECT_EQ(ActPanel(2), "Version : 0");
  EXPECT_EQ(window.statusBar()->objectName(), "ActBar");
  EXPECT_EQ(Action("ViewActionM")->text(), "Show Actions");

  const auto* rows = window.findChild<QTreeWidget*>("FrameValue");
  ASSERT_NE(rows, nullptr);
  EXPECT_EQ(rows->headerItem()->text(0), "Field");
  EXPECT_EQ(rows->headerItem()->text(1), "Value");
  const QStringList labels{"Position X", "Position Y", "Size X", "Size Y", "Scale X", "Scale Y", "Direction",
                           "Red", "Green", "Blue", "Alpha", "Extra X", "Extra Y", "Frame"};
  const QStringList valueKeys{"PosXValue", "PosYValue", "SizeXValue", "SizeYValue", "ScaleXValue",
                              "ScaleYValue", "DirectionValue", "RedValue", "GreenValue", "BlueValue",
                              "AlphaValue", "ExtraXValue", "ExtraYValue", "FrameValue"};
  ASSERT_EQ(rows->topLevelItemCount(), 14);
  for (int i = 0; i < 14; ++i) {
    const QTreeWidgetItem* row = rows->topLevelItem(i);
    EXPECT_EQ(row->text(0), labels[i]);
    EXPECT_EQ(row->data(0, Qt::UserRole).toString(), labels[i]);
    EXPECT_EQ(row->text(1), "0");
    EXPECT_EQ(row->data(1, Qt::UserRole).toString(), valueKeys[i]);
  }

  const auto* tools = window.findChild<QToolBar*>("ActTool");
  ASSERT_NE(tools, nullptr);
  ASSERT_EQ(tools->actions().size(), 2);
  EXPECT_EQ(IconImage(tools->actions()[0]->icon()), IconImage(BarIcon("Open")));
  EXPECT_EQ(IconImage(tools->actions()[1]->icon()), IconImage(BarIcon("Save")));
}

TEST_F(ActionsTest, TheTreeHoldsEveryActionClipAndLayerWithItsKeyTextAndImage) {
  Import(WriteAct("two.act", TwoActionExample()));
  Action("ReloadAct")->trigger();
  QStringList expected{"A000"};
  for (const QString clip : {"C000", "C001", "C002"}) expected << "A000" + clip << "A000" + clip + "F000" << "A000" + clip + "F001";
  expected << "A001";
  for (int c = 0; c < 5; ++c) expected << QStringLiteral("A001C00%1").arg(c) << QStringLiteral("A001C00%1F000").arg(c);
  EXPECT_EQ(Keys(), expected);

  QTreeWidget& tree = ActWindow().Tree();
  ASSERT_EQ(tree.topLevelItemCount(), 2);
  EXPECT_EQ(Node("A000")->text(0), "Action 01");
  EXPECT_EQ(Node("A001")->text(0), "Action 02");
  EXPECT_EQ(Node("A000C002")->text(0), "Clip 03");
  EXPECT_EQ(Node("A000C001F001")->text(0), "Frame 02");
  EXPECT_EQ(Node("A000C001F001")->parent(), Node("A000C001"));
  EXPECT_EQ(IconImage(Node("A000")->icon(0)), IconImage(BarIcon("ActionNode")));
  EXPECT_EQ(IconImage(Node("A000C000")->icon(0)), IconImage(BarIcon("ClipNode")));
  EXPECT_EQ(IconImage(Node("A000C000F000")->icon(0)), IconImage(BarIcon("LayerNode")));
  EXPECT_FALSE(Node("A000")->isExpanded());
  EXPECT_TRUE(tree.selectedItems().isEmpty());
}

TEST_F(ActionsTest, ClickingALayerShowsItsFieldsAndTheClipsExtraPoint) {
  ActFileFields layout = TwoActionExample();
  ActLayerFields& layer = layout.Actions[0].Clips[1].Layers[1];
  layer = ActLayerFields{.X = -12, .Y = 30, .SpriteIndex = 7, .Direction = 1, .Red = 255, .Green = 255, .Blue = 255,
                       .Alpha = 255, .ScaleX = 1.0f, .ScaleY = 2.0f, .SizeX = 40, .SizeY = 50};
  layout.Actions[0].Clips[1].Anchors = {ActAnchorFields{.X = -4, .Y = 9}};
  Import(WriteAct("two.act", layout));
  Action("ReloadAct")->trigger();

  ClickNode("A000C001F001");
  EXPECT_EQ(Row("Position X"), "-12");
  EXPECT_EQ(Row("Position Y"), "30");
  EXPECT_EQ(Row("Size X"), "40");
  EXPECT_EQ(Row("Size Y"), "50");
  EXPECT_EQ(Row("Scale X"), "1065353216");
  EXPECT_EQ(Row("Scale Y"), "1073741824");
  EXPECT_EQ(Row("Direction"), "1");
  for (const char* colour : {"Red", "Green", "Blue", "Alpha"}) EXPECT_EQ(Row(colour), "255") << colour;
  EXPECT_EQ(Row("Extra X"), "-4");
  EXPECT_EQ(Row("Extra Y"), "9");
  EXPECT_EQ(Row("Frame"), "7");
  EXPECT_EQ(ActPanel(1), "Current Action: 01");
}

TEST_F(ActionsTest, ClickingAnyNodeOfAnActionMakesItCurrentAndOnlyLayersFillTheRows) {
  Import(WriteAct("three.act", ActionsOfClips({1, 2, 3})));
  Action("ReloadAct")->trigger();
  ClickNode("A000C000F000");
  EXPECT_EQ(Row("Frame"), "0");

  ClickNode("A002C001");
  EXPECT_EQ(ActPanel(1), "Current Action: 03");
  EXPECT_EQ(m_window->CurrentAction(), 2);
  EXPECT_EQ(Row("Position X"), "0");

  ClickNode("A001");
  EXPECT_EQ(ActPanel(1), "Current Action: 02");
  EXPECT_EQ(m_window->CurrentAction(), 1);

  // The keyboard moves the selection without a click.
  QTreeWidget& tree = ActWindow().Tree();
  QTest::keyClick(&tree, Qt::Key_Down);
  EXPECT_NE(tree.selectedItems().value(0), Node("A001"));
  EXPECT_EQ(m_window->CurrentAction(), 1);

  // A click on the empty area below the nodes acts on the node still selected.
  tree.collapseAll();
  tree.setCurrentItem(Node("A002"));
  QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, QPoint(5, tree.viewport()->height() - 3));
  EXPECT_EQ(tree.selectedItems().value(0), Node("A002"));
  EXPECT_EQ(m_window->CurrentAction(), 2);
  EXPECT_TRUE(m_messages.Shown().empty());
}

TEST_F(ActionsTest, NodesPastIndex999KnowTheirIndices) {
  ActFileFields layout;
  layout.Actions.resize(12);
  for (int c = 0; c < 1001; ++c) layout.Actions[0].Clips.push_back(ActClipFields{.Layers = {LayerAt(c, c)}});
  Import(WriteAct("long.act", layout));
  Action("ReloadAct")->trigger();

  EXPECT_EQ(Node("A011")->text(0), "Action 12");
  EXPECT_EQ(Node("A000C999")->text(0), "Clip 1000");
  EXPECT_EQ(Node("A000C1000")->text(0), "Clip 1001");
  EXPECT_EQ(IndicesOf(*Node("A000C1000F000")), (NodeIndices{0, 1000, 0}));
  ClickNode("A000C1000F000");
  EXPECT_EQ(Row("Position X"), "1000");
  EXPECT_EQ(Row("Frame"), "1000");
}

TEST_F(ActionsTest, ShowHideAndTheCloseBoxSetTheCaptions) {
  Import(WriteAct("three.act", ActionsOfClips({1, 2, 3})));
  Action("ViewActionM")->trigger();
  EXPECT_TRUE(ActWindow().isVisible());
  EXPECT_EQ(Action("ViewActionM")->text(), "Hide Actions");
  EXPECT_EQ(Action("ViewAction")->text(), "Hide Actions");
  ClickNode("A002");

  Action("Actions")->trigger();
  EXPECT_FALSE(ActWindow().isVisible());
  EXPECT_EQ(Action("ViewActionM")->text(), "Show Actions");
  EXPECT_EQ(Action("ViewAction")->text(), "Show Actions");
  Action("ViewActionM")->trigger();
  EXPECT_TRUE(ActWindow().isVisible());
  EXPECT_EQ(ActPanel(1), "Current Action: 03");

  // The close box resets the captions too, and the next use starts afresh.
  ActWindow().close();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(m_window->ActionsWindow(), nullptr);
  EXPECT_EQ(Action("ViewActionM")->text(), "Show Actions");
  EXPECT_EQ(Action("ViewAction")->text(), "Show Actions");
  Action("ViewActionM")->trigger();
  EXPECT_TRUE(ActWindow().isVisible());
  EXPECT_EQ(m_window->CurrentAction(), 0);
  EXPECT_EQ(ActWindow().Tree().topLevelItemCount(), 3);
}

}  // namespace
}  // namespace tessaloom
