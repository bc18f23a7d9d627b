// Actions > Import: the dialog, the controls it enables, failed and cancelled
// imports, and an actions window that already exists showing the new file.

#include <QTreeWidget>

#include "actions_fixture.h"

namespace tessaloom {
namespace {

class ImportTest : public ActionsTest {
 protected:
  // The three controls an action file enables, always together.
  bool ActionControlsEnabled() const {
    const bool enabled = Action("Actions")->isEnabled();
    EXPECT_EQ(Action("ViewActionM")->isEnabled(), enabled);
    EXPECT_EQ(Action("Action")->isEnabled(), enabled);
    return enabled;
  }

  QString WriteNotAnAct(const QString& name) {
    std::vector<std::uint8_t> bytes = BuildActFile(ActionsOfClips({1}));
    bytes[0] = 'A';
    bytes[1] = 'B';
    return WriteBytes(name, bytes);
  }
};

TEST_F(ImportTest, FailedAndCancelledImportsEnableNothing) {
  m_dialog.AnswerCancel();
  Action("ImportAct")->trigger();
  EXPECT_TRUE(m_messages.Shown().empty());
  Import(WriteNotAnAct("ab.act"));
  ASSERT_EQ(m_messages.Shown().size(), 1u);
  EXPECT_TRUE(m_messages.Shown()[0].Detail.contains("ab.act")) << m_messages.Shown()[0].Detail.toStdString();
  EXPECT_EQ(ShownMessage(0), (Message{.Text = "It was an error trying to open the file",
                                      .Title = "File Error",
                                      .Icon = MessageIcon::Exclamation}));
  Import(PathOf("missing.act"));
  EXPECT_EQ(m_messages.Shown().size(), 2u);
  EXPECT_FALSE(ActionControlsEnabled());
  EXPECT_EQ(m_session->Actions().Act(), nullptr);
}

TEST_F(ImportTest, AnActionFileEnablesTheActionControlsAndAFailedImportKeepsIt) {
  Import(WriteAct("a.act", ActionsOfClips({2, 1})));
  EXPECT_EQ(m_dialog.Requests(), (std::vector<DialogRequest>{{DialogRequest::Kind::Open, "Import Actions ....",
                                                               "Ragnarok Action File |*.act", ""}}));
  EXPECT_TRUE(ActionControlsEnabled());
  EXPECT_FALSE(Action("ViewAction")->isEnabled());
  // Importing neither creates the actions window nor draws.
  EXPECT_EQ(m_window->ActionsWindow(), nullptr);
  ASSERT_NE(m_session->Actions().Act(), nullptr);
  EXPECT_EQ(m_session->Actions().Act()->ActionCount, 2);
  EXPECT_TRUE(m_messages.Shown().empty());

  Action("ReloadAct")->trigger();
  ClickNode("A001");
  Import(WriteNotAnAct("ab.act"));
  // A count that runs past the end of the file.
  std::vector<std::uint8_t> truncated = BuildActFile(ActionsOfClips({4}));
  truncated.resize(truncated.size() - 60);
  Import(WriteBytes("short.act", truncated));
  EXPECT_EQ(m_messages.Shown().size(), 2u);
  EXPECT_TRUE(ActionControlsEnabled());
  EXPECT_EQ(m_session->Actions().Act()->ActionCount, 2);
  EXPECT_EQ(ActWindow().Tree().topLevelItemCount(), 2);
  EXPECT_EQ(ActPanel(1), "Current Action: 02");
}

TEST_F(ImportTest, AnOpenWindowShowsTheNewFileAndKeepsOnlyACurrentActionItHas) {
  ActFileFields first = ActionsOfClips({1, 1, 1});
  first.VersionWord = 0x0204;
  first.Actions[1].Clips[0].Layers[0] = LayerAt(5, 33);
  Import(WriteAct("first.act", first));
  Action("ViewActionM")->trigger();
  EXPECT_EQ(ActPanel(2), "Version : 4");
  ClickNode("A001C000F000");
  EXPECT_EQ(Row("Position X"), "33");

  // Action 2 is still there and stays current; the rows no longer show a layer of the
  // old file.
  ActFileFields second = ActionsOfClips({2, 2});
  second.Actions[0].Clips[1].Layers[0] = LayerAt(3, 44);
  Import(WriteAct("second.act", second));
  EXPECT_EQ(ActPanel(2), "Version : 5");
  EXPECT_EQ(Node("A001C001")->text(0), "Clip 02");
  EXPECT_EQ(m_window->CurrentAction(), 1);
  EXPECT_EQ(Row("Position X"), "0");
  ClickNode("A000C001F000");
  EXPECT_EQ(Row("Position X"), "44");
  ClickNode("A001");

  // One action: action 2 is gone, and action 1 becomes current.
  Import(WriteAct("third.act", ActionsOfClips({1})));
  EXPECT_EQ(m_window->CurrentAction(), 0);
  EXPECT_EQ(ActPanel(1), "Current Action: 01");
  EXPECT_EQ(Keys(), (QStringList{"A000", "A000C000", "A000C000F000"}));
  EXPECT_EQ(Row("Position X"), "0");
  EXPECT_TRUE(m_messages.Shown().empty());
}

}  // namespace
}  // namespace tessaloom
