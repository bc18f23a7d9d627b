// Export frame and Export all: the typed extension or the filter entry choosing the
// format, the files
// decoded by Qt's readers, the numbered names, the title while writing, the
// failures, and the commands held off while an animation is written.

#include <QImage>
#include <QImageReader>
#include <QProgressDialog>
#include <QTimer>

#include "window_fixture.h"

namespace tessaloom {
namespace {

class ExportTest : public WindowTest {
 protected:
  // Frame 2 is 2 x 1 of index 0 (the transparent one) and index 5.
  void SetUp() override {
    SprDocument sprite = TestSprite(3);
    sprite.Frames[1] = FrameFromRows({{0, 5}});
    OpenByDialog(WriteSprite("walk.spr", sprite));
  }
  // Besides the sprite and the settings file.
  std::size_t Outputs() const { return TempDir::ListNames(m_dir.Path()).size() - 2; }
};

TEST_F(ExportTest, TheTypedExtensionOrElseTheFilterEntryChoosesTheFormat) {
  // The frame shown is exported under the name as chosen. A ".gif" keeps a GIF
  // entry's kind and is a transparent still GIF after any other entry.
  Trigger("Next");
  const struct {
    const char* command;
    int entry;
    const char* name;
    const char* format;
    bool transparent;
  } cases[] = {{"ExportFrame", 1, "f1", "bmp", false},     {"ExportFrame", 1, "f1.gif", "gif", true},
               {"ExportFrame", 2, "f2.bmp", "bmp", false}, {"ExportFrame", 3, "f3.gif", "gif", false},
               {"ExportFrame", 4, "f4.txt", "png", true},  {"ExportFrame", 2, "f5.PNG", "png", true},
               {"ExportAll", 3, "a3", "gif", false},       {"ExportAll", 6, "a6.bmp", "bmp", false},
               {"ExportAll", 1, "a1.gif", "gif", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Answer(c.command, PathOf(c.name), c.entry);
    // Export all numbers its files after the chosen name; the second is frame 2 too.
    const QString stem = QString(c.name).section('.', 0, 0);
    QImageReader reader(QString(c.command) == "ExportAll" ? PathOf(stem + "-02." + c.format) : PathOf(c.name));
    EXPECT_EQ(reader.format(), c.format);
    const QImage image = reader.read().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(image.size(), QSize(2, 1));
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), c.transparent ? 0 : 255);
    EXPECT_EQ(image.pixel(1, 0), qRgb(5, 250, 35));
  }
  // The animated entries write one file (entry 4 in the test of the commands held
  // off meanwhile); an entry past the last writes nothing.
  Answer("ExportAll", PathOf("anim.gif"), 5);
  EXPECT_EQ(QImageReader(PathOf("anim.gif")).imageCount(), 3);
  Answer("ExportFrame", PathOf("none.bmp"), 5);
  Answer("ExportAll", PathOf("none.bmp"), 7);
  EXPECT_EQ(Outputs(), 6u + 3 * 3 + 1);
  EXPECT_TRUE(m_messages.Shown().empty());
}

TEST_F(ExportTest, TheToolbarsExportButtonAndItsEntriesRunTheExports) {
  for (const char* button : {"Export", "ExpCur"}) {
    Answer(button, PathOf(QString::fromLatin1(button) + ".png"), 4);
    EXPECT_EQ(QImageReader(PathOf(QString::fromLatin1(button) + ".png")).format(), "png");
  }
  Answer("ExpAll", PathOf("all.png"), 6);
  EXPECT_EQ(QImageReader(PathOf("all-03.png")).format(), "png");
}

TEST_F(ExportTest, FailuresAndNothingToExportAreReportedUnderExportError) {
  Answer("ExportFrame", PathOf("missing/frame.gif"), 2);
  EXPECT_TRUE(LastMessage(1, "Export error", "frame.gif"));

  Trigger("NewFile");
  Trigger("ExportFrame");
  Trigger("ExportAll");
  EXPECT_TRUE(LastMessage(3, "Export error", "There is nothing to export: no sprite is loaded."));
  EXPECT_EQ(Outputs(), 0u);
}

TEST_F(ExportTest, WhileAnAnimationIsWrittenEditsWaitAndTheViewStillChanges) {
  const SprDocument before = Sprite();
  const int shown = m_dialog.TimesShown() + 1;  // the export's own dialog
  // The title, and Delete if it were enabled.
  QString stateMeanwhile;
  QTimer::singleShot(0, m_window.get(), [&] {
    stateMeanwhile = m_window->windowTitle() + Enabled({"DeleteFrame"}).join("");
    for (const char* item : {"NewFile", "OpenFile", "Save", "AddFrame", "DeleteFrame", "ExportFrame", "ExportAll",
                             "ImportPal", "UndoPal", "ZoomIn"})
      Trigger(item);
  });
  Answer("ExportAll", PathOf("walk.gif"), 4);

  EXPECT_EQ(stateMeanwhile, "Tessaloom+ (Writting)");
  EXPECT_EQ(m_dialog.TimesShown(), shown) << "no other command asked for a file";
  EXPECT_TRUE(m_messages.Asked().empty());
  EXPECT_EQ(Sprite(), before);
  EXPECT_EQ(m_session->View().ZoomStep(), 4);
  EXPECT_EQ(QImageReader(PathOf("walk.gif")).imageCount(), 3);
}

TEST_F(ExportTest, ALongExportShowsItsProgressAndCancellingLeavesNothing) {
  std::vector<SprFrame> frames(51, SolidFrame(2, 2, 1));
  OpenByDialog(WriteSprite("long.spr", SpriteOf(std::move(frames))));
  const std::size_t before = Outputs();
  for (const int entry : {1, 4}) {  // numbered bitmaps, one animated GIF
    QTimer::singleShot(0, m_window.get(), [this] { m_window->findChild<QProgressDialog*>("ExportProgress")->cancel(); });
    Answer("ExportAll", PathOf("long.gif"), entry);
    EXPECT_EQ(Outputs(), before);
  }
  EXPECT_TRUE(m_messages.Shown().empty());
  Answer("ExportAll", PathOf("long.bmp"), 1);
  EXPECT_EQ(Outputs(), before + 51);
}

}  // namespace
}  // namespace tessaloom
