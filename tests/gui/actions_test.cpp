// The action file: importing it, the actions window's tree, rows and panels, the
// transport in sprite and action mode with the timer's ticks, and clips on the canvas.

#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include "gui/widgets/action_tree.h"
#include "gui/widgets/actions_window.h"
#include "support/act_bytes.h"
#include "window_fixture.h"

namespace tessaloom {
namespace {

// Actions of the given clip counts, each clip one layer drawing frame 0.
ActFileFields ActionsOfClips(std::initializer_list<int> clipCounts) {
  ActFileFields file;
  for (const int clips : clipCounts) {
    ActActionFields action;
    action.Clips.assign(static_cast<std::size_t>(clips), ActClipFields{.Layers = {ActLayerFields{}}});
    file.Actions.push_back(action);
  }
  return file;
}

// Two actions: the first of 3 clips of 2 layers, layer l of clip c drawing frame
// c * 2 + l at x offset -12; the second of 5 clips of one layer.
ActFileFields TwoActions() {
  ActFileFields file = ActionsOfClips({3, 5});
  for (int c = 0; c < 3; ++c)
    file.Actions[0].Clips[static_cast<std::size_t>(c)].Layers = {ActLayerFields{.X = -12, .SpriteIndex = c * 2},
                                                                 ActLayerFields{.X = -12, .SpriteIndex = c * 2 + 1}};
  return file;
}

class ActionsTest : public WindowTest {
 protected:
  void Import(const ActFileFields& file) { Answer("ImportAct", WriteBytes("file.act", BuildActFile(file))); }
  void Tick() { m_session->Playback().TickNow(); }
  // Play and Pause are checked as the playing is.
  QString Playing() const {
    return QStringLiteral("%1 %2/%3").arg(m_session->Playback().Playing()).arg(Action("Play")->isChecked())
        .arg(Action("Pause")->isChecked());
  }
  ActionsWindow& Actions() const { return *m_window->Actions(); }
  QString ActPanel(int panel) const { return Actions().findChild<QLabel*>(QStringLiteral("ActBarPanel%1").arg(panel))->text(); }
  // The tree's nodes in order, each as its key and, after a colon, its text.
  QStringList Nodes() const {
    QStringList nodes;
    for (QTreeWidgetItemIterator it(&Actions().Tree()); *it; ++it)
      nodes << (*it)->data(0, kNodeKeyRole).toString() + ": " + (*it)->text(0);
    return nodes;
  }
  void ClickNode(const QString& key) {
    Actions().show();
    QTreeWidget& tree = Actions().Tree();
    QTreeWidgetItemIterator it(&tree);
    while (*it && (*it)->data(0, kNodeKeyRole).toString() != key) ++it;
    ASSERT_NE(*it, nullptr) << key.toStdString();
    for (QTreeWidgetItem* parent = (*it)->parent(); parent; parent = parent->parent()) parent->setExpanded(true);
    tree.scrollToItem(*it);
    QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualItemRect(*it).center());
    ASSERT_EQ(tree.selectedItems().value(0), *it);
  }
  QString Row(const char* label) const {
    const QList<QTreeWidgetItem*> rows =
        Actions().findChild<QTreeWidget*>("FrameValue")->findItems(QString::fromLatin1(label), Qt::MatchExactly);
    return rows.size() == 1 ? rows[0]->text(1) : QStringLiteral("<no row %1>").arg(label);
  }
};

TEST_F(ActionsTest, AnImportFillsTheTreeWithEveryActionClipAndLayerAndAClickShowsALayersFields) {
  const std::uint8_t text[] = {'n', 'o', 't'};
  Answer("ImportAct", WriteBytes("bad.act", text));
  EXPECT_TRUE(LastMessage(1, "File Error", "It was an error trying to open the file"));
  EXPECT_EQ(Enabled({"Actions", "ViewActionM", "Action"}), QStringList{});
  ActFileFields file = TwoActions();
  file.VersionWord = 0x0204;
  file.Actions[0].Clips[1].Layers[1] = ActLayerFields{.X = -12, .Y = 30, .SpriteIndex = 7, .Direction = 1,
                                                      .ScaleX = 1.0f};
  file.Actions[0].Clips[1].Anchors = {ActAnchorFields{.X = -4, .Y = 9}};
  Import(file);
  EXPECT_EQ(Enabled({"Actions", "ViewActionM", "Action", "ViewAction"}), (QStringList{"Actions", "ViewActionM", "Action"}));
  Answer("ImportAct", PathOf("missing.act"));  // a failed import keeps the file
  Trigger("ViewActionM");
  EXPECT_EQ(Action("ViewAction")->text(), "Hide Actions");
  // Keys count from 0, texts from 1; the first action's clips have two layers.
  const QStringList nodes = Nodes();
  EXPECT_EQ(nodes.size(), 2 + 3 * 3 + 5 * 2);
  EXPECT_EQ(nodes.mid(9, 3), (QStringList{"A000C002F001: Frame 02", "A001: Action 02", "A001C000: Clip 01"}));
  EXPECT_EQ(ActPanel(1), "Current Action: 01");
  EXPECT_EQ(ActPanel(2), "Version : 4");

  ClickNode("A000C001F001");
  QStringList rows;
  for (const char* label : {"Position X", "Position Y", "Scale X", "Direction", "Alpha", "Extra X", "Extra Y", "Frame"})
    rows << Row(label);
  EXPECT_EQ(rows, (QStringList{"-12", "30", "1", "1", "255", "-4", "9", "7"}));
  ClickNode("A001C003");
  EXPECT_EQ(ActPanel(1), "Current Action: 02");

  // A new file with fewer actions makes action 1 current and clears the rows.
  Import(ActionsOfClips({1}));
  EXPECT_EQ(Nodes(), (QStringList{"A000: Action 01", "A000C000: Clip 01", "A000C000F000: Frame 01"}));
  EXPECT_EQ(ActPanel(1), "Current Action: 01");
  EXPECT_EQ(Row("Frame"), "0");

  // The close box resets the captions; the next window starts afresh.
  Actions().close();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(m_window->Actions(), nullptr);
  EXPECT_EQ(Action("ViewActionM")->text(), "Show Actions");
}

TEST_F(ActionsTest, TheRowsShowScalesAsDecimalsAndTheCurrentActionsIntervalAndTheEventsAreListed) {
  ActFileFields file = TwoActions();
  file.Actions[0].Clips[0].Layers[0] = {.ScaleX = -1.25f, .ScaleY = 0.5f, .Rotation = 90, .SpriteType = 1};
  file.Events = {"atk", "\xC3\xA9t\xC3\xA9.wav"};
  file.Intervals = {2.5f, 6.0f};
  Import(file);
  Trigger("ViewActionM");
  EXPECT_EQ(Row("Interval"), "2.5");
  ClickNode("A000C000F000");
  QStringList rows;
  for (const char* label : {"Scale X", "Scale Y", "Rotation", "Sprite Type"}) rows << Row(label);
  EXPECT_EQ(rows, (QStringList{"-1.25", "0.5", "90", "1"}));
  EXPECT_EQ(Nodes().mid(21), (QStringList{"E: Events", "E000: atk", QString::fromUtf8("E001: \xC3\xA9t\xC3\xA9.wav")}));
  ClickNode("A001");
  ClickNode("E000");  // an event belongs to no action
  EXPECT_EQ(ActPanel(1), "Current Action: 02");
  EXPECT_EQ(Row("Interval"), "6");
}

TEST_F(ActionsTest, InPreviewModeActionModePlaysAtTheCurrentActionsOwnSpeed) {
  OpenByDialog(WriteSprite("three.spr", TestSprite(3)));
  ActFileFields file = TwoActions();
  file.Intervals = {2.0f, 6.0f};
  Import(file);
  const auto timer = [this] { return QString::number(m_session->Playback().Interval()) + " " + PanelText(3); };
  Trigger("Action");
  EXPECT_EQ(timer(), "125 FPS:   8");
  Trigger("PreviewMode");
  EXPECT_EQ(timer(), "50 FPS:  20");
  m_session->Actions().SetCurrentAction(1);
  EXPECT_EQ(timer(), "150 FPS:   7");
  Trigger("Action");
  EXPECT_EQ(timer(), "125 FPS:   8");
}

TEST_F(ActionsTest, StepsMoveThroughTheFramesOrTheClipsOfTheCurrentAction) {
  OpenByDialog(WriteSprite("five.spr", TestSprite(5)));
  Import(TwoActions());
  const struct {
    const char* button;
    const char* position;
    int drawnWidth;  // TestSprite's frame n is 2 + n wide
  } steps[] = {{"Last", "Frame :  5/ 5", 7},  {"Next", "Frame :  5/ 5", 7}, {"Prev", "Frame :  4/ 5", 6},
               // Action mode starts at the first clip and draws nothing until a step.
               {"First", "Frame :  1/ 5", 3}, {"Action", "Frame :  1/ 3", 3}, {"Last", "Frame :  3/ 3", 7},
               {"First", "Frame :  1/ 3", 4}, {"Action", "Frame :  1/ 5", 4}, {"Last", "Frame :  5/ 5", 7}};
  for (const auto& step : steps) {
    SCOPED_TRACE(step.button);
    Trigger(step.button);
    EXPECT_EQ(PanelText(2), step.position);
    EXPECT_EQ(DrawnArea().Width, step.drawnWidth);
  }
}

TEST_F(ActionsTest, AnotherActionStartsAtItsFirstClipWhenPlayingOrPastItsEnd) {
  OpenByDialog(WriteSprite("five.spr", TestSprite(5)));
  Import(TwoActions());
  Trigger("Action");
  m_session->Actions().SetCurrentAction(1);
  Trigger("Last");
  EXPECT_EQ(PanelText(2), "Frame :  5/ 5");
  m_session->Actions().SetCurrentAction(0);  // three clips
  EXPECT_EQ(PanelText(2), "Frame :  1/ 3");
  Trigger("Next");
  Trigger("Play");
  m_session->Actions().SetCurrentAction(1);
  EXPECT_EQ(PanelText(2), "Frame :  1/ 5");
  EXPECT_TRUE(m_messages.Shown().empty());
}

TEST_F(ActionsTest, PlayingStopsOnTheLastFrameWithoutLoopAndWrapsWithIt) {
  OpenByDialog(WriteSprite("three.spr", TestSprite(3)));
  Trigger("Play");
  EXPECT_EQ(Playing(), "1 1/0");
  for (const char* position : {"Frame :  2/ 3", "Frame :  3/ 3", "Frame :  3/ 3"}) {
    Tick();
    EXPECT_EQ(PanelText(2), position);
  }
  EXPECT_EQ(Playing(), "0 0/1");

  Trigger("Loop");
  Trigger("Play");
  Tick();
  EXPECT_EQ(PanelText(2), "Frame :  1/ 3");
  Trigger("Pause");
  EXPECT_EQ(Playing(), "0 0/1");
}

TEST_F(ActionsTest, AClipThatCannotBeDrawnIsReportedOnceAndStopsPlaying) {
  OpenByDialog(WriteSprite("three.spr", TestSprite(3)));
  Import(ActionsOfClips({2, 0}));
  Trigger("Action");
  Trigger("Loop");
  Trigger("Play");
  Tick();
  EXPECT_TRUE(m_messages.Shown().empty());
  Trigger("ReloadAct");
  ClickNode("A001");  // no clips: its clip 0 cannot be drawn
  const Image before = CanvasImage();
  Tick();
  EXPECT_TRUE(LastMessage(1, "Tessaloom+", "error draw", MessageIcon::None));
  EXPECT_EQ(Playing(), "0 0/1");
  EXPECT_EQ(CanvasImage(), before);
}

}  // namespace
}  // namespace tessaloom
