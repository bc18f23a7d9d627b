// Opening sprites by the dialog, the recent list, a drop and at start; New; the
// failures that leave everything as it was.

#include <QApplication>
#include <QToolBar>

#include "gui/app/status_texts.h"
#include "gui/palette/pal_color.h"
#include "gui/palette/spr_pal.h"
#include "gui/render/spr_bg.h"
#include "support/spr_bytes.h"
#include "window_fixture.h"

namespace tessaloom {
namespace {

TEST_F(WindowTest, OpenByTheDialogShowsFrameOneAndEnablesTheSpriteCommands) {
  QStringList titles;
  std::vector<bool> openEnabled;
  QObject::connect(m_session.get(), &Session::positionChanged, [&] {
    titles << m_window->windowTitle();
    openEnabled.push_back(Action("OpenFile")->isEnabled());
  });
  const QString path = WriteSprite("hero.spr", TestSprite(12));
  OpenByDialog(path);

  EXPECT_EQ(m_dialog.Requests(), (std::vector<DialogRequest>{
                                     {DialogRequest::Kind::Open, "Open Spr ....", "Ragnarok SPR File |*.spr", ""}}));
  EXPECT_TRUE(m_messages.Shown().empty());
  // While the frames are read the title says so and Open waits.
  EXPECT_EQ(titles, QStringList{"Tessaloom+ (Loading)"});
  EXPECT_EQ(openEnabled, std::vector<bool>{false});
  EXPECT_EQ(m_window->windowTitle(), "Tessaloom+");
  EXPECT_EQ(PanelText(1), "Size: 3 x 2");
  EXPECT_EQ(PanelText(2), "Frame : 01/ 12");
  EXPECT_EQ(m_window->Canvas().toolTip(), path);
  EXPECT_EQ(RecentCaptions(), std::vector<QString>{path});
  EXPECT_TRUE(SameImages(m_session->Document(), TestSprite(12)));
  for (const char* name : {"ExportFrame", "Save", "Saveas", "SaveButton", "Palette", "ZoomInButton", "OpenFile",
                           "DeleteFrame"}) {
    EXPECT_TRUE(Action(name)->isEnabled()) << name;
  }
  EXPECT_TRUE(Menu("PaletteMenu")->menuAction()->isEnabled());
  EXPECT_TRUE(Menu("ZoomMenu")->menuAction()->isEnabled());
  EXPECT_TRUE(m_window->findChild<QToolBar*>("RepBar")->isEnabled());
  EXPECT_FALSE(Action("Actions")->isEnabled());

  // Frame 1 (3 x 2, index 1) is on the canvas; the palette window exists, hidden, filled.
  EXPECT_EQ(CanvasCount(TestPaletteColor(1)), 6);
  ASSERT_NE(m_window->PaletteWindow(), nullptr);
  EXPECT_FALSE(m_window->PaletteWindow()->isVisible());
  EXPECT_EQ(m_window->PaletteWindow()->Cell(1).CellColor(), TestPaletteColor(1));

  // The position has as many digits as the frame count.
  OpenByDialog(WriteSprite("seven.spr", TestSprite(7)));
  EXPECT_EQ(PanelText(2), "Frame : 1/ 7");
  OpenByDialog(WriteSprite("none.spr", TestSprite(0)));
  EXPECT_EQ(PanelText(2), "Frame : 1/ 0");
  EXPECT_EQ(PanelText(1), "Size: 0 x 0");
}

TEST_F(WindowTest, CancelledOpenDisablesTheSpriteMenusOnlyWhenNoFrameIsLoaded) {
  m_dialog.AnswerCancel();
  Action("OpenFile")->trigger();
  for (const char* name : {"ExportFrame", "Save", "Saveas"}) EXPECT_FALSE(Action(name)->isEnabled()) << name;
  EXPECT_FALSE(Menu("ZoomMenu")->menuAction()->isEnabled());
  EXPECT_TRUE(Action("ExportAll")->isEnabled());
  EXPECT_EQ(PanelText(2), "Frame : 0/0");

  OpenByDialog(WriteSprite("a.spr", TestSprite(3)));
  m_dialog.AnswerCancel();
  Action("Open")->trigger();
  for (const char* name : {"ExportFrame", "Save", "Saveas"}) EXPECT_TRUE(Action(name)->isEnabled()) << name;
  EXPECT_TRUE(Menu("ZoomMenu")->menuAction()->isEnabled());
  EXPECT_EQ(PanelText(2), "Frame : 1/ 3");
  EXPECT_TRUE(m_messages.Shown().empty());
}

TEST_F(WindowTest, RecentListKeepsTheLastFiveOldestFirstAndSurvivesARestart) {
  QStringList paths;
  for (int i = 0; i < 6; ++i) paths << WriteSprite(QStringLiteral("s%1.spr").arg(i), TestSprite(i + 1));
  OpenByDialog(paths[0]);
  EXPECT_EQ(Menu("OpenRecentFile")->actions().size(), 1);
  for (int i = 1; i < 6; ++i) OpenByDialog(paths[i]);

  const std::vector<QString> lastFive(paths.begin() + 1, paths.end());
  EXPECT_EQ(RecentCaptions(), lastFive);
  EXPECT_EQ(Menu("OpenRecentFile")->actions().size(), 5);
  for (const QAction* item : Menu("OpenRecentFile")->actions()) EXPECT_EQ(item->objectName(), "RecentFiles");

  Restart();
  EXPECT_EQ(RecentCaptions(), lastFive);
  EXPECT_FALSE(Action("Save")->isEnabled());
  Menu("OpenRecentFile")->actions()[4]->trigger();
  EXPECT_TRUE(SameImages(m_session->Document(), TestSprite(6)));
  EXPECT_EQ(RecentCaptions(), lastFive);
  EXPECT_TRUE(Action("Save")->isEnabled());
  EXPECT_TRUE(m_window->findChild<QToolBar*>("RepBar")->isEnabled());

  // The same file opened twice has two entries; "&" is no shortcut marker.
  const QString amp = WriteSprite("a&b.spr", TestSprite(1));
  OpenByDialog(amp);
  OpenByDialog(amp);
  const QString caption = QString(amp).replace("&", "&&");
  EXPECT_EQ(RecentCaptions().back(), caption);
  EXPECT_EQ(RecentCaptions()[3], caption);
}

TEST_F(WindowTest, RecentEntryReloadsItsFileWithItsPalette) {
  SprDocument first = TestSprite(4);
  SprDocument second = TestSprite(2);
  // The second sprite's entry 9 differs, so a refreshed cell shows.
  second.Header.Palette[36] = 1;
  second.Header.Palette[37] = 2;
  second.Header.Palette[38] = 3;
  const QString firstPath = WriteSprite("first.spr", first);
  OpenByDialog(firstPath);
  OpenByDialog(WriteSprite("second.spr", second));
  ASSERT_EQ(m_window->PaletteWindow()->Cell(9).CellColor(), MakeColor(3, 2, 1));

  Menu("OpenRecentFile")->actions()[0]->trigger();
  EXPECT_TRUE(SameImages(m_session->Document(), first));
  EXPECT_EQ(PanelText(2), "Frame : 1/ 4");
  EXPECT_EQ(m_window->Canvas().toolTip(), firstPath);
  EXPECT_EQ(m_window->PaletteWindow()->Cell(9).CellColor(), TestPaletteColor(9));
  EXPECT_EQ(m_window->PaletteWindow()->Cell(9).toolTip(), PaletteToolTip(TestPaletteColor(9)));
  EXPECT_EQ(RecentCaptions().size(), 2u);
  EXPECT_EQ(m_dialog.Requests().size(), 2u);
}

TEST_F(WindowTest, AFileThatCannotBeOpenedIsReportedAndChangesNothing) {
  const QString loaded = WriteSprite("loaded.spr", TestSprite(3));
  OpenByDialog(loaded);
  const SprDocument before = m_session->Document();
  const Image canvas = CanvasImage();

  // Not readable: the message names the file and the true cause.
  const QString missing = PathOf("missing.spr");
  OpenByDialog(missing);
  EXPECT_TRUE(LastMessage(1, "Open error", missing));
  EXPECT_TRUE(m_messages.Shown()[0].Text.contains("No such file")) << m_messages.Shown()[0].Text.toStdString();
  EXPECT_FALSE(m_messages.Shown()[0].Text.contains("unicode"));

  // Not a sprite: a wrong magic.
  OpenByDialog(WriteBytes("lower.spr", SprBytes().Header({.Magic = "sp"}).TestPalette().Build()));
  EXPECT_TRUE(LastMessage(2, "Open error"));
  EXPECT_EQ(ShownMessage(1).Text, "It's not a sprite format");

  EXPECT_EQ(m_session->Document(), before);
  EXPECT_EQ(CanvasImage(), canvas);
  EXPECT_EQ(PanelText(1), "Size: 3 x 2");
  EXPECT_EQ(PanelText(2), "Frame : 1/ 3");
  EXPECT_EQ(m_window->Canvas().toolTip(), loaded);
  EXPECT_EQ(RecentCaptions(), std::vector<QString>{loaded});
  EXPECT_EQ(m_window->PaletteWindow()->Cell(5).CellColor(), TestPaletteColor(5));
  EXPECT_EQ(m_window->windowTitle(), "Tessaloom+");
  EXPECT_TRUE(Action("OpenFile")->isEnabled());
}

TEST_F(WindowTest, AFrameThatCannotBeDecodedIsReportedOnceAndTheRestLoads) {
  const std::uint8_t good[] = {1, 2, 3, 4};
  const std::uint8_t brokenCode[] = {5, 0};
  OpenByDialog(WriteBytes("broken.spr", SprBytes()
                                            .Header({.FrameCount = 3})
                                            .CodedFrame(2, 2, good)
                                            .CodedFrame(2, 2, brokenCode)
                                            .CodedFrame(2, 2, brokenCode)
                                            .TestPalette()
                                            .Build()));
  EXPECT_EQ(m_messages.Shown().size(), 1u);
  EXPECT_EQ(ShownMessage(0), (Message{.Text = "Cannot decode image correctly",
                                      .Title = "Error decoding",
                                      .Icon = MessageIcon::None}));
  EXPECT_EQ(PanelText(2), "Frame : 1/ 3");
  EXPECT_EQ(RecentCaptions().size(), 1u);
}

TEST_F(WindowTest, NewEmptiesTheSpriteAndKeepsEverythingElse) {
  const QString path = WriteSprite("a.spr", TestSprite(3));
  OpenByDialog(path);
  Action("NewFile")->trigger();

  EXPECT_EQ(m_session->FrameCount(), 0);
  EXPECT_TRUE(m_session->Document().Frames.empty());
  EXPECT_TRUE(m_session->Document().Header.Palette.empty());
  EXPECT_EQ(DrawnArea().Width, 0);
  EXPECT_EQ(PanelText(2), "Frame : 1/ 3");
  EXPECT_EQ(m_window->Canvas().toolTip(), path);
  EXPECT_EQ(RecentCaptions(), std::vector<QString>{path});
  EXPECT_EQ(m_window->PaletteWindow()->Cell(2).CellColor(), TestPaletteColor(2));
  EXPECT_TRUE(Action("Save")->isEnabled());

  // Resizing with no frames draws nothing but the background.
  m_window->resize(m_window->size() + QSize(30, 20));
  QApplication::processEvents();
  EXPECT_EQ(DrawnArea().Width, 0);
  EXPECT_TRUE(m_messages.Shown().empty());
}

TEST_F(WindowTest, APathGivenAtStartOpensLikeADialogChoice) {
  const QString path = WriteSprite("start.spr", TestSprite(5));
  m_window->OpenPath(path);
  EXPECT_TRUE(SameImages(m_session->Document(), TestSprite(5)));
  EXPECT_EQ(RecentCaptions(), std::vector<QString>{path});
  EXPECT_TRUE(Action("Save")->isEnabled());
  EXPECT_TRUE(m_dialog.Requests().empty());
}

TEST_F(WindowTest, DropOpensOnlyTheFirstFileEndingInSprInAnyCase) {
  const QString upper = WriteSprite("HERO.SPR", TestSprite(2));
  Drop({upper, WriteSprite("second.spr", TestSprite(5))});
  EXPECT_TRUE(SameImages(m_session->Document(), TestSprite(2)));
  EXPECT_EQ(PanelText(2), "Frame : 1/ 2");
  EXPECT_EQ(m_window->Canvas().toolTip(), upper);
  EXPECT_EQ(RecentCaptions(), std::vector<QString>{upper});
  EXPECT_TRUE(Action("Save")->isEnabled());

  // Only the last three letters count, not a dot before them.
  Drop({WriteSprite("heroSpr", TestSprite(3))});
  EXPECT_TRUE(SameImages(m_session->Document(), TestSprite(3)));
  EXPECT_TRUE(m_messages.Shown().empty());

  // A bitmap first is refused, even with a sprite after it.
  Drop({WriteSprite("picture.bmp", TestSprite(4)), upper});
  EXPECT_EQ(m_messages.Shown(), (std::vector<Message>{{.Text = "This is not a valid sprite file",
                                                       .Title = "Error Opening Sprite",
                                                       .Icon = MessageIcon::None}}));
  EXPECT_TRUE(SameImages(m_session->Document(), TestSprite(3)));
  EXPECT_EQ(RecentCaptions().size(), 2u);
  EXPECT_TRUE(m_dialog.Requests().empty());
}

}  // namespace
}  // namespace tessaloom
