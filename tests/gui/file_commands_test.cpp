// New, Open by the dialog, the recent list, a drop and a path at start, with the
// messages of files that cannot be opened; Save.

#include <QLabel>
#include <QStatusBar>

#include "core/sprite/spr_reader.h"
#include "core/sprite/palette.h"
#include "support/act_bytes.h"
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

TEST_F(WindowTest, DroppedActionsPalettesAndBitmapsGoWhereTheirItemsTakeThem) {
  OpenByDialog(WriteSprite("hero.spr", TestSprite(2)));
  Drop({WriteBytes("walk.act", BuildActFile({.Actions = {{.Clips = {{}, {}}}}}))});
  ASSERT_NE(m_session->Actions().Act(), nullptr);
  EXPECT_EQ(m_session->Actions().Act()->Actions[0].Clips.size(), 2u);
  const std::vector<std::uint8_t> grey(1024, 0x40);
  Drop({WriteBytes("night.pal", grey)});
  EXPECT_EQ(Tool_Spr::PaletteColor(Sprite().Header.Palette, 9), MakeColor(0x40, 0x40, 0x40));
  Drop({WriteBitmap("pose.bmp", {{5, 6}})});
  EXPECT_EQ(Sprite().Frames.size(), 3u);
  EXPECT_TRUE(m_messages.Shown().empty());
}

TEST_F(WindowTest, FilesThatCannotBeOpenedAreReportedAndChangeNothing) {
  const QString loaded = WriteSprite("loaded.spr", TestSprite(3));
  OpenByDialog(loaded);
  const std::uint8_t text[] = {'h', 'e', 'l', 'l', 'o'};
  OpenByDialog(WriteBytes("text.spr", text));
  Drop({WriteSprite("picture.txt", TestSprite(4))});
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

  // A name without an extension gets ".spr"; any other extension stays.
  Answer("Save", PathOf("plain"));
  Answer("Save", PathOf("copy.bin"));
  EXPECT_TRUE(QFile::exists(PathOf("plain.spr")) && QFile::exists(PathOf("copy.bin")));

  Answer("Save", PathOf("missing/b.spr"));
  EXPECT_TRUE(LastMessage(1, "Save error", "b.spr"));
  // A sprite without a palette cannot be read back, so it is refused.
  Trigger("NewFile");
  Answer("Save", PathOf("a.spr"));
  EXPECT_TRUE(LastMessage(2, "Save error"));
}

enum class Replacing { New, Open, Close, Drop };

// Each way of replacing an edited sprite, with each answer to the question; a Save
// whose name is cancelled cancels the replacement too.
TEST_F(WindowTest, EditedSpritesAreOfferedForSavingBeforeTheyAreReplaced) {
  struct Case {
    Replacing by;
    SaveChoice choice;
    bool named = true;  // the Save dialog's answer
  };
  const std::vector<Case> cases{
      {Replacing::New, SaveChoice::Save},       {Replacing::New, SaveChoice::Discard},
      {Replacing::New, SaveChoice::Cancel},     {Replacing::New, SaveChoice::Save, false},
      {Replacing::Open, SaveChoice::Save},      {Replacing::Open, SaveChoice::Discard},
      {Replacing::Open, SaveChoice::Cancel},    {Replacing::Close, SaveChoice::Save},
      {Replacing::Close, SaveChoice::Discard},  {Replacing::Close, SaveChoice::Cancel},
      {Replacing::Drop, SaveChoice::Discard},   {Replacing::Drop, SaveChoice::Cancel}};
  const auto modifiedText = [this] { return m_window->statusBar()->findChild<QLabel*>("ModifiedPanel")->text(); };
  const QString other = WriteSprite("other.spr", TestSprite(5));
  for (const Case& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.by) * 10 + static_cast<int>(c.choice));
    Restart();
    OpenByDialog(WriteSprite("a.spr", TestSprite(3)));
    m_messages.AnswerQuestion(true);
    Trigger("DeleteFrame");
    EXPECT_EQ(modifiedText(), "Modified");

    m_messages.AnswerSaveChanges(c.choice);
    if (c.choice == SaveChoice::Save) c.named ? m_dialog.AnswerFile(PathOf("kept")) : m_dialog.AnswerCancel();
    const bool saved = c.choice == SaveChoice::Save && c.named;
    const bool goesOn = saved || c.choice == SaveChoice::Discard;
    if (goesOn && c.by == Replacing::Open) m_dialog.AnswerFile(other);
    if (c.by == Replacing::Close) EXPECT_EQ(m_window->close(), goesOn);
    else if (c.by == Replacing::Drop) Drop({other});
    else Trigger(c.by == Replacing::New ? "NewFile" : "OpenFile");

    EXPECT_EQ(m_messages.SavePrompts(), std::vector<QString>(static_cast<std::size_t>(&c - cases.data() + 1), "a.spr"));
    const std::size_t frames[] = {0, 5, 2, 5};
    EXPECT_EQ(Sprite().Frames.size(), goesOn ? frames[static_cast<int>(c.by)] : 2);
    EXPECT_EQ(modifiedText(), saved || (goesOn && c.by != Replacing::Close) ? "" : "Modified");
    auto kept = Tool_Spr::LoadSprite(FsPath(PathOf("kept.spr")));
    EXPECT_EQ(kept && kept->Document.Frames.size() == 2, saved);
    QFile::remove(PathOf("kept.spr"));
  }
}

}  // namespace
}  // namespace tessaloom
