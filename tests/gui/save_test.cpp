// Save: the dialog, the title and buttons while writing, the file written, and the
// failures reported under "Save error".

#include <QFile>

#include "gui/render/spr_bg.h"
#include "window_fixture.h"

namespace tessaloom {
namespace {

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TEST_F(WindowTest, SaveThenReopenGivesTheSameFramesAndPalette) {
  SprDocument sprite = TestSprite(3);
  sprite.Frames[1].Pixels[0] = 0;  // a zero run for the run-length code
  OpenByDialog(WriteSprite("a.spr", sprite));

  QStringList titles;
  std::vector<std::vector<bool>> buttonStates;
  QObject::connect(m_session.get(), &Session::activityChanged, [&] {
    titles << m_window->windowTitle();
    buttonStates.push_back({Action("Open")->isEnabled(), Action("Export")->isEnabled(), Action("Add")->isEnabled()});
  });
  const QString copy = PathOf("copy.spr");
  m_dialog.AnswerFile(copy);
  Action("SaveButton")->trigger();

  EXPECT_EQ(m_dialog.Requests().back(),
            (DialogRequest{DialogRequest::Kind::Save, "Save Spr as...", "Sprite |*.spr", ""}));
  EXPECT_EQ(titles, (QStringList{"Tessaloom+ (Writting)", "Tessaloom+"}));
  EXPECT_EQ(buttonStates, (std::vector<std::vector<bool>>{{false, false, false}, {true, true, true}}));
  EXPECT_TRUE(m_messages.Shown().empty());
  // The command leaves the status bar, the recent list and the tooltip alone.
  EXPECT_EQ(RecentCaptions().size(), 1u);
  EXPECT_EQ(m_window->Canvas().toolTip(), PathOf("a.spr"));

  OpenByDialog(copy);
  EXPECT_TRUE(SameImages(m_session->Document(), sprite));
}

TEST_F(WindowTest, CancelsAndFailuresOfSaveLeaveExistingFilesWhole) {
  const QString original = WriteSprite("a.spr", TestSprite(2));
  OpenByDialog(original);
  const QByteArray before = FileBytes(original);
  m_dialog.AnswerCancel();
  Action("Save")->trigger();
  EXPECT_TRUE(m_messages.Shown().empty());

  m_dialog.AnswerFile(PathOf("no-such-folder/b.spr"));
  Action("Save")->trigger();
  EXPECT_TRUE(LastMessage(1, "Save error", "b.spr"));

  // A sprite without a palette cannot be read back, so it is refused.
  Action("NewFile")->trigger();
  m_dialog.AnswerFile(original);
  Action("Save")->trigger();
  EXPECT_TRUE(LastMessage(2, "Save error"));
  EXPECT_EQ(FileBytes(original), before);
  EXPECT_EQ(m_window->windowTitle(), "Tessaloom+");
  EXPECT_TRUE(Action("Open")->isEnabled());
  EXPECT_EQ(TempDir::ListNames(m_dir.Path()), (std::vector<std::string>{"a.spr", "settings.ini"}));
}

}  // namespace
}  // namespace tessaloom
