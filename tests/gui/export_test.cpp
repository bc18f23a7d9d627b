// Export frame and Export all: the filter entry choosing the format, the files
// decoded by Qt's readers, the numbered names, the title while writing, the
// failures, and the commands held off while an animation is written.

#include <QImage>
#include <QImageReader>
#include <QTimer>

#include "window_fixture.h"

namespace tessaloom {
namespace {

constexpr char kFrameFilter[] =
    "Bitmap |*.bmp|Gif Transparent (GIF89a)|*.gif|Gif Non Transparent (GIF87a)|*.gif|Png (transparent) |*.png";
constexpr char kAllFilter[] =
    "All - Bitmap |*.bmp|All - Gif Transparent (GIF89a)|*.gif|All - Gif Non Transparent (GIF87a)|*.gif|"
    "All- Gif Animated Transparent|*.gif|All - Gif Animated Non Transparent|*.gif|Png (transparent) |*.png";

class ExportTest : public WindowTest {
 protected:
  // Frame 2 is 2 x 1 of index 0 (the transparent one) and index 5.
  void SetUp() override {
    SprDocument sprite = TestSprite(3);
    sprite.Frames[1] = FrameFromRows({{0, 5}});
    OpenByDialog(WriteSprite("walk.spr", sprite));
  }
  QStringList Outputs() const {
    QStringList names;
    for (const std::string& name : TempDir::ListNames(m_dir.Path()))
      if (name != "walk.spr" && name != "settings.ini") names << QString::fromStdString(name);
    return names;
  }
};

TEST_F(ExportTest, EachFilterEntryWritesItsFormat) {
  // The frame shown is exported, and the name is taken as chosen: the entry decides.
  Trigger("Next");
  const struct {
    const char* command;
    int entry;
    const char* name;
    const char* format;
    bool transparent;
  } cases[] = {{"ExportFrame", 1, "f1.gif", "bmp", false}, {"ExportFrame", 2, "f2.bmp", "gif", true},
               {"ExportFrame", 3, "f3.gif", "gif", false}, {"ExportFrame", 4, "f4.png", "png", true},
               {"ExportAll", 1, "a1.bmp", "bmp", false},   {"ExportAll", 2, "a2.gif", "gif", true},
               {"ExportAll", 3, "a3", "gif", false},       {"ExportAll", 6, "a6.png", "png", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Answer(c.command, PathOf(c.name), c.entry);
    const bool all = QString(c.command) == "ExportAll";
    EXPECT_EQ(m_dialog.Requests().back().title, all ? "Export all frames to..." : "Export Frame to...");
    EXPECT_EQ(m_dialog.Requests().back().filter, all ? kAllFilter : kFrameFilter);
    // Export all numbers its files after the chosen name; the second is frame 2 too.
    const QString stem = QString(c.name).section('.', 0, 0);
    const QString file = all ? PathOf(stem + "-02." + c.format) : PathOf(c.name);
    QImageReader reader(file);
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
  EXPECT_EQ(Outputs().size(), 4u + 4 * 3 + 1);
  EXPECT_TRUE(m_messages.Shown().empty());
}

TEST_F(ExportTest, FailuresAndNothingToExportAreReportedUnderExportError) {
  Answer("ExportFrame", PathOf("missing/frame.gif"), 2);
  EXPECT_TRUE(LastMessage(1, "Export error", "frame.gif"));
  Answer("ExportAll", PathOf("missing/walk.gif"), 4);
  EXPECT_TRUE(LastMessage(2, "Export error"));

  Trigger("NewFile");
  Trigger("ExportFrame");
  Trigger("ExportAll");
  const Message nothing{.Text = "There is nothing to export: no sprite is loaded.",
                        .Title = "Export error",
                        .Icon = MessageIcon::Information};
  EXPECT_EQ(std::vector<Message>(m_messages.Shown().begin() + 2, m_messages.Shown().end()),
            (std::vector<Message>{nothing, nothing}));
  EXPECT_TRUE(Outputs().isEmpty());
}

TEST_F(ExportTest, WhileAnAnimationIsWrittenEditsWaitAndTheViewStillChanges) {
  const SprDocument before = Sprite();
  const std::size_t requests = m_dialog.Requests().size() + 1;  // the export's own dialog
  QString titleMeanwhile;
  bool deleteEnabledMeanwhile = true;
  QTimer::singleShot(0, m_window.get(), [&] {
    titleMeanwhile = m_window->windowTitle();
    deleteEnabledMeanwhile = Action("DeleteFrame")->isEnabled();
    for (const char* item : {"NewFile", "OpenFile", "Save", "AddFrame", "DeleteFrame", "ExportFrame", "ExportAll",
                             "ImportPal", "UndoPal", "ZoomIn"})
      Trigger(item);
  });
  Answer("ExportAll", PathOf("walk.gif"), 4);

  EXPECT_EQ(titleMeanwhile, "Tessaloom+ (Writting)");
  EXPECT_FALSE(deleteEnabledMeanwhile);
  EXPECT_EQ(m_dialog.Requests().size(), requests) << "no other command asked for a file";
  EXPECT_TRUE(m_messages.Asked().empty());
  EXPECT_EQ(Sprite(), before);
  EXPECT_EQ(m_session->View().ZoomStep(), 4);
  EXPECT_EQ(QImageReader(PathOf("walk.gif")).imageCount(), 3);
  EXPECT_TRUE(Action("DeleteFrame")->isEnabled());
}

}  // namespace
}  // namespace tessaloom
