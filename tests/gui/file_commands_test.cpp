// New, Open by the dialog, the recent list, a drop and a path at start, with the
// messages of files that cannot be opened; Save.

#include "support/spr_bytes.h"
#include "window_fixture.h"

namespace tessaloom {
namespace {

const QStringList kSpriteCommands{"ExportFrame", "Save", "ZoomMenu", "SaveButton", "Palette", "RepBar", "DeleteFrame"};

TEST_F(WindowTest, OpenShowsFrameOneAndEnablesTheSpriteCommands) {
  QStringList titles;
  QObject::connect(&m_session->Playback(), &PlaybackState::positionChanged, [&] {
    titles << m_window->windowTitle() + (Action("OpenFile")->isEnabled() ? "" : " / Open disabled");
  });
  const QString path = WriteSprite("hero.spr", TestSprite(12));
  OpenByDialog(path);
  EXPECT_EQ(m_dialog.Title() + m_dialog.Filter(), "Open Spr ....Ragnarok SPR File |*.spr");
  EXPECT_EQ(titles, QStringList{"Tessaloom+ (Loading) / Open disabled"});
  EXPECT_EQ(m_window->windowTitle(), "Tessaloom+");
  EXPECT_EQ(PanelText(1) + " | " + PanelText(2), "Size: 3 x 2 | Frame : 01/ 12");
  EXPECT_EQ(m_window->Canvas().toolTip(), path);
  EXPECT_EQ(RecentCaptions(), std::vector<QString>{path});
  EXPECT_TRUE(SameImages(Sprite(), TestSprite(12)));
  EXPECT_EQ(Enabled(kSpriteCommands), kSpriteCommands);
  EXPECT_EQ(CanvasCount(TestColor(1)), 6);
  EXPECT_TRUE(m_messages.Shown().empty());
  // A cancelled open withdraws the sprite menus only when no frame is loaded.
  m_dialog.AnswerCancel();
  Trigger("Open");
  EXPECT_EQ(Enabled(kSpriteCommands), kSpriteCommands);
}

TEST_F(WindowTest, TheRecentListKeepsTheLastFiveAndSurvivesARestart) {
  QStringList paths;
  for (int i = 0; i < 6; ++i) paths << WriteSprite(QStringLiteral("s%1&.spr").arg(i), TestSprite(i + 1));
  for (const QString& path : paths) OpenByDialog(path);
  std::vector<QString> lastFive;
  for (const QString& path : paths.mid(1)) lastFive.push_back(QString(path).replace("&", "&&"));  // no shortcut
  Restart();
  EXPECT_EQ(RecentCaptions(), lastFive);
  EXPECT_TRUE(Menu("OpenRecentFile")->actions()[0]->isEnabled()) << "the item that said None";
  Menu("OpenRecentFile")->actions()[3]->trigger();
  EXPECT_TRUE(SameImages(Sprite(), TestSprite(5)));
  EXPECT_EQ(RecentCaptions(), lastFive);
  // Opened again, a file moves to the newest place rather than being listed twice.
  OpenByDialog(paths[2]);
  lastFive.erase(lastFive.begin() + 1);
  lastFive.push_back(QString(paths[2]).replace("&", "&&"));
  EXPECT_EQ(RecentCaptions(), lastFive);
}

TEST_F(WindowTest, DropAndAPathAtStartOpenLikeADialogChoice) {
  const QString upper = WriteSprite("HERO.SPR", TestSprite(2));
  Drop({upper, WriteSprite("second.spr", TestSprite(5))});
  EXPECT_TRUE(SameImages(Sprite(), TestSprite(2)));
  m_window->OpenPath(WriteSprite("start.spr", TestSprite(4)));
  EXPECT_TRUE(SameImages(Sprite(), TestSprite(4)));
  EXPECT_EQ(m_dialog.TimesShown(), 0);
}

TEST_F(WindowTest, FilesThatCannotBeOpenedAreReportedAndChangeNothing) {
  const QString loaded = WriteSprite("loaded.spr", TestSprite(3));
  OpenByDialog(loaded);
  const std::uint8_t text[] = {'h', 'e', 'l', 'l', 'o'};
  OpenByDialog(WriteBytes("text.spr", text));
  Drop({WriteSprite("picture.bmp", TestSprite(4))});
  EXPECT_TRUE(m_messages.Shown()[0].Detail.contains("text.spr"));
  EXPECT_TRUE(LastMessage(2, "Error Opening Sprite", "This is not a valid sprite file"));
  EXPECT_TRUE(SameImages(Sprite(), TestSprite(3)));
  EXPECT_EQ(RecentCaptions(), std::vector<QString>{loaded});

  // A frame that cannot be decoded is told without an icon, and the rest loads.
  const std::uint8_t good[] = {1, 2, 3, 4};
  const std::uint8_t broken[] = {5, 0};
  OpenByDialog(WriteBytes(
      "broken.spr", SprBytes().Header({.FrameCount = 2}).CodedFrame(2, 2, good).CodedFrame(2, 2, broken).TestPalette().Build()));
  EXPECT_EQ(m_messages.Shown().back().Icon, MessageIcon::None);
  EXPECT_EQ(PanelText(2), "Frame : 1/ 2");
}

TEST_F(WindowTest, NewEmptiesTheSpriteAndKeepsTheRest) {
  const QString path = WriteSprite("a.spr", TestSprite(3));
  OpenByDialog(path);
  Trigger("NewFile");
  EXPECT_TRUE(SameImages(Sprite(), SprDocument{}));
  EXPECT_EQ(DrawnArea().Width, 0);
  EXPECT_EQ(Cell(2).CellColor(), TestColor(2));
  // Delete has no frame left to delete.
  EXPECT_EQ(Enabled(kSpriteCommands), (QStringList{"ExportFrame", "Save", "ZoomMenu", "SaveButton", "Palette", "RepBar"}));
  // A cancelled open then withdraws the menus; the buttons, once enabled, stay.
  m_dialog.AnswerCancel();
  Trigger("Open");
  EXPECT_EQ(Enabled(kSpriteCommands), (QStringList{"SaveButton", "Palette", "RepBar"}));
}

TEST_F(WindowTest, SaveWritesTheSpriteWholeAndReportsFailures) {
  OpenByDialog(WriteSprite("a.spr", TestSprite(3)));
  Answer("SaveButton", PathOf("copy.spr"));
  OpenByDialog(PathOf("copy.spr"));
  EXPECT_TRUE(SameImages(Sprite(), TestSprite(3)));

  Answer("Save", PathOf("missing/b.spr"));
  EXPECT_TRUE(LastMessage(1, "Save error", "b.spr"));
  // A sprite without a palette cannot be read back, so it is refused.
  Trigger("NewFile");
  Answer("Save", PathOf("a.spr"));
  EXPECT_TRUE(LastMessage(2, "Save error"));
}

}  // namespace
}  // namespace tessaloom
