// Export all: one numbered file per frame, or one animated GIF whose writing lets the
// window's events run while the commands that change the sprite wait.

#include <QStringList>
#include <QTimer>

#include "convert/converter_bmp.h"
#include "convert/converter_gif.h"
#include "convert/converter_png.h"
#include "export_test_support.h"

namespace tessaloom {
namespace {

constexpr char kAllFilter[] =
    "All - Bitmap |*.bmp|All - Gif Transparent (GIF89a)|*.gif|All - Gif Non Transparent (GIF87a)|*.gif|"
    "All- Gif Animated Transparent|*.gif|All - Gif Animated Non Transparent|*.gif|Png (transparent) |*.png";

std::vector<std::string> NumberedNames(const std::string& stem, int count, const std::string& extension) {
  std::vector<std::string> names;
  for (int i = 1; i <= count; ++i) names.push_back(stem + (i < 10 ? "-0" : "-") + std::to_string(i) + extension);
  std::sort(names.begin(), names.end());
  return names;
}

TEST_F(ExportTest, StillsGetTheChosenNameNumberedFromOne) {
  OpenByDialog(WriteSprite("twelve.spr", TestSprite(12)));
  Export("ExportAll", "a.bmp", 1);
  EXPECT_EQ(m_dialog.Requests().back(),
            (DialogRequest{DialogRequest::Kind::Save, "Export all frames to...", kAllFilter, ""}));
  EXPECT_EQ(OutputNames(), NumberedNames("a", 12, ".bmp"));
  const SprDocument& sprite = m_session->Document();
  for (int i = 0; i < 12; ++i) {
    const QString name = PathOf(QStringLiteral("a-%1.bmp").arg(i + 1, 2, 10, QLatin1Char('0')));
    ASSERT_EQ(FileBytes(name), Converter_Bmp::SerializeBmp(sprite.Header, sprite.Frames[i])) << i;
  }
  EXPECT_EQ(QImage(PathOf("a-12.bmp")).size(), QSize(14, 13));
  EXPECT_TRUE(m_messages.Shown().empty());
}

TEST_F(ExportTest, AHundredFramesEndWithAThreeDigitNumber) {
  OpenByDialog(WriteSprite("hundred.spr", TestSprite(100)));
  Export("ExportAll", "a.gif", 2);
  EXPECT_EQ(OutputNames(), NumberedNames("a", 100, ".gif"));
  const SprDocument& sprite = m_session->Document();
  EXPECT_EQ(FileBytes(PathOf("a-100.gif")), Converter_Gif::EncodeGif(sprite.Header, sprite.Frames[99], true));
  EXPECT_EQ(FileBytes(PathOf("a-07.gif")), Converter_Gif::EncodeGif(sprite.Header, sprite.Frames[6], true));
  EXPECT_EQ(QImage(PathOf("a-100.gif")).size(), QSize(102, 101));
}

TEST_F(ExportTest, ANameWithoutExtensionKeepsAllItsLetters) {
  OpenByDialog(WriteSprite("three.spr", ExportSprite()));
  Export("ExportAll", "hero", 3);
  Export("ExportAll", "hero.gif", 6);
  EXPECT_EQ(OutputNames(), (std::vector<std::string>{"hero-01.gif", "hero-01.png", "hero-02.gif", "hero-02.png",
                                                     "hero-03.gif", "hero-03.png"}));
  const SprDocument& sprite = m_session->Document();
  EXPECT_EQ(FileBytes(PathOf("hero-02.gif")), Converter_Gif::EncodeGif(sprite.Header, sprite.Frames[1], false));
  EXPECT_EQ(FileBytes(PathOf("hero-02.png")), Converter_Png::EncodeIndexedPng(sprite.Header, sprite.Frames[1]).value());
  EXPECT_EQ(qAlpha(QImage(PathOf("hero-02.png")).pixel(0, 0)), 0);

  // An entry past the last writes nothing.
  Export("ExportAll", "other.bmp", 7);
  EXPECT_EQ(OutputNames().size(), 6u);
}

TEST_F(ExportTest, TheAnimatedChoicesWriteOneLoopingFile) {
  OpenByDialog(WriteSprite("three.spr", ExportSprite()));
  const SprDocument& sprite = m_session->Document();
  const QString transparent = Export("ExportAll", "walk.gif", 4);
  EXPECT_EQ(FileBytes(transparent), Converter_Gif::EncodeAnimatedGif(sprite.Header, sprite.Frames, true).value());
  QImageReader reader(transparent);
  EXPECT_TRUE(reader.supportsAnimation());
  EXPECT_EQ(reader.imageCount(), 3);
  EXPECT_EQ(reader.loopCount(), -1);

  const QString opaque = Export("ExportAll", "walk87.gif", 5);
  EXPECT_EQ(FileBytes(opaque), Converter_Gif::EncodeAnimatedGif(sprite.Header, sprite.Frames, false).value());
  EXPECT_EQ(OutputNames(), (std::vector<std::string>{"walk.gif", "walk87.gif"}));
  EXPECT_TRUE(m_messages.Shown().empty());
}

TEST_F(ExportTest, WhileAnAnimationIsWrittenEventsRunAndEditsWait) {
  OpenByDialog(WriteSprite("three.spr", ExportSprite()));
  const SprDocument before = m_session->Document();
  const std::size_t requests = m_dialog.Requests().size() + 1;  // the export's own dialog
  QString titleMeanwhile;
  bool ran = false;
  // Runs from the window events the writer lets in before its first frame.
  QTimer::singleShot(0, m_window.get(), [&] {
    ran = true;
    titleMeanwhile = m_window->windowTitle();
    for (const char* item : {"NewFile", "OpenFile", "Save", "AddFrame", "DeleteFrame", "ExportFrame", "ExportAll",
                             "ImportPal", "UndoPal"}) {
      Action(item)->trigger();
    }
    Action("ZoomIn")->trigger();
  });
  Export("ExportAll", "walk.gif", 4);

  EXPECT_TRUE(ran);
  EXPECT_EQ(titleMeanwhile, "Tessaloom+ (Writting)");
  EXPECT_EQ(m_dialog.Requests().size(), requests) << "no other command asked for a file";
  EXPECT_TRUE(m_messages.Asked().empty());
  EXPECT_EQ(m_session->Document(), before);
  EXPECT_EQ(m_session->ZoomStep(), 4) << "commands that leave the sprite alone still run";
  EXPECT_EQ(FileBytes(PathOf("walk.gif")), Converter_Gif::EncodeAnimatedGif(before.Header, before.Frames, true).value());
  EXPECT_EQ(m_window->windowTitle(), "Tessaloom+");
  // Once written, the commands work again.
  EXPECT_TRUE(Action("DeleteFrame")->isEnabled());
}

TEST_F(ExportTest, AnAnimationNeedsAPaletteAndFailuresAreReported) {
  SprDocument noPalette = ExportSprite();
  noPalette.Header.Palette.clear();
  m_session->ReplaceDocument(noPalette);
  m_session->EnableSpriteCommands();
  Export("ExportAll", "walk.gif", 5);
  ASSERT_EQ(m_messages.Shown().size(), 1u);
  EXPECT_EQ(m_messages.Shown()[0].Title, "Export error");
  EXPECT_TRUE(m_messages.Shown()[0].Text.contains("palette")) << m_messages.Shown()[0].Text.toStdString();
  EXPECT_TRUE(OutputNames().empty());

  // A palette without frames gives an animation without images.
  SprDocument noFrames;
  noFrames.Header.Palette = TestPalette();
  m_session->ReplaceDocument(noFrames);
  const QString empty = Export("ExportAll", "empty.gif", 4);
  EXPECT_EQ(FileBytes(empty), Converter_Gif::EncodeAnimatedGif(noFrames.Header, {}, true).value());

  m_messages.Clear();
  m_session->ReplaceDocument(ExportSprite());
  Export("ExportAll", "missing/a.bmp", 1);
  Export("ExportAll", "missing/walk.gif", 4);
  ASSERT_EQ(m_messages.Shown().size(), 2u);
  EXPECT_EQ(m_messages.Shown()[0].Title, "Export error");
  EXPECT_TRUE(m_messages.Shown()[0].Text.contains("a-01.bmp")) << m_messages.Shown()[0].Text.toStdString();
  EXPECT_EQ(m_messages.Shown()[1].Title, "Export error");
  EXPECT_EQ(OutputNames(), std::vector<std::string>{"empty.gif"});
}

}  // namespace
}  // namespace tessaloom
