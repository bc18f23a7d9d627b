// Export frame and Export all: the filter entry choosing the format, what reaches the
// core's writers (their bytes are their own tests' business), our files decoded by
// Qt's readers, the numbered names, "(Writting)" while writing, and the failures.

#include <QImage>
#include <QImageReader>
#include <QTimer>

#include "core/common/file_io.h"
#include "core/convert/converter_bmp.h"
#include "core/convert/converter_gif.h"
#include "core/convert/converter_png.h"
#include "window_fixture.h"

namespace tessaloom {
namespace {

constexpr char kFrameFilter[] =
    "Bitmap |*.bmp|Gif Transparent (GIF89a)|*.gif|Gif Non Transparent (GIF87a)|*.gif|Png (transparent) |*.png";
constexpr char kAllFilter[] =
    "All - Bitmap |*.bmp|All - Gif Transparent (GIF89a)|*.gif|All - Gif Non Transparent (GIF87a)|*.gif|"
    "All- Gif Animated Transparent|*.gif|All - Gif Animated Non Transparent|*.gif|Png (transparent) |*.png";

// The 5 x 2 frame's colours as Qt decodes them, top row first; index 0 fully
// transparent when `transparent`.
std::vector<QRgb> ExpectedPixels(bool transparent) {
  std::vector<QRgb> pixels;
  for (const int index : {0, 1, 2, 3, 4, 5, 6, 7, 8, 0}) {
    const Color color = TestPaletteColor(index);
    pixels.push_back(qRgba(RedOf(color), GreenOf(color), BlueOf(color), index == 0 && transparent ? 0 : 255));
  }
  return pixels;
}

std::vector<QRgb> DecodedPixels(const QString& path) {
  const QImage image = QImage(path).convertToFormat(QImage::Format_ARGB32);
  EXPECT_EQ(image.size(), QSize(5, 2)) << path.toStdString();
  std::vector<QRgb> pixels;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) pixels.push_back(image.pixel(x, y));
  return pixels;
}

std::vector<std::string> NumberedNames(const std::string& stem, int count, const std::string& extension) {
  std::vector<std::string> names;
  for (int i = 1; i <= count; ++i) names.push_back(stem + (i < 10 ? "-0" : "-") + std::to_string(i) + extension);
  std::sort(names.begin(), names.end());
  return names;
}

std::vector<std::uint8_t> FileBytes(const QString& path) {
  auto bytes = ReadWholeFile(path.toStdString(), "test");
  EXPECT_TRUE(bytes.has_value()) << path.toStdString();
  return bytes ? std::move(*bytes) : std::vector<std::uint8_t>{};
}

class ExportTest : public WindowTest {
 protected:
  // Three frames with the test palette: 3 x 2 of index 1, then 5 x 2 holding index 0
  // (the transparent one) and eight others, then 2 x 2 of index 3.
  void OpenExportSprite() {
    SprDocument sprite = TestSprite(0);
    sprite.Frames = {SolidFrame(3, 2, 1), FrameFromRows({{0, 1, 2, 3, 4}, {5, 6, 7, 8, 0}}), SolidFrame(2, 2, 3)};
    sprite.Header.FrameCount = 3;
    OpenByDialog(WriteSprite("three.spr", sprite));
  }

  // Chooses the menu item `item`, the dialog answering `name` in the test folder with
  // filter entry `filterIndex`; returns the full path.
  QString Export(const char* item, const QString& name, int filterIndex) {
    m_dialog.AnswerFile(PathOf(name), filterIndex);
    Action(item)->trigger();
    return PathOf(name);
  }

  // The names in the test folder other than the sprites and the settings.
  std::vector<std::string> OutputNames() const {
    std::vector<std::string> names;
    for (const std::string& name : TempDir::ListNames(m_dir.Path())) {
      if (!name.ends_with(".spr") && !name.ends_with(".ini")) names.push_back(name);
    }
    return names;
  }

  const SprHeader& Header() const { return m_session->Document().Header; }
  const SprFrame& Frame(int index) const { return m_session->Document().Frames[static_cast<std::size_t>(index)]; }
};

TEST_F(ExportTest, ExportFrameWritesTheShownFrameInTheFormatOfTheFilterEntry) {
  OpenExportSprite();
  // The frame shown, not the first one, is the one exported.
  m_session->SetPosition(2, 3, QStringLiteral("Frame : 2/ 3"));
  QStringList titles;
  QObject::connect(m_session.get(), &Session::activityChanged, [&] { titles << m_window->windowTitle(); });
  m_dialog.AnswerCancel();
  Action("ExportFrame")->trigger();
  EXPECT_TRUE(titles.isEmpty());
  const QString bmp = Export("ExportFrame", "frame.bmp", 1);
  EXPECT_EQ(m_dialog.Requests().back(),
            (DialogRequest{DialogRequest::Kind::Save, "Export Frame to...", kFrameFilter, ""}));
  EXPECT_EQ(titles, QStringList({"Tessaloom+ (Writting)", "Tessaloom+"}));
  EXPECT_EQ(FileBytes(bmp), Converter_Bmp::SerializeBmp(Header(), Frame(1)));
  EXPECT_EQ(DecodedPixels(bmp), ExpectedPixels(false));

  // The name is taken as chosen: the entry, not the extension, decides.
  const QString transparent = Export("ExportFrame", "transparent.bmp", 2);
  EXPECT_EQ(FileBytes(transparent), Converter_Gif::EncodeGif(Header(), Frame(1), true));
  EXPECT_EQ(QImageReader(transparent).format(), "gif");
  EXPECT_EQ(DecodedPixels(transparent), ExpectedPixels(true));
  const QString opaque = Export("ExportFrame", "opaque.gif", 3);
  EXPECT_EQ(FileBytes(opaque), Converter_Gif::EncodeGif(Header(), Frame(1), false));
  EXPECT_EQ(DecodedPixels(opaque), ExpectedPixels(false));
  const QString png = Export("ExportFrame", "frame.png", 4);
  EXPECT_EQ(FileBytes(png), Converter_Png::EncodeIndexedPng(Header(), Frame(1)).value());
  EXPECT_EQ(DecodedPixels(png), ExpectedPixels(true));

  // An entry past the last writes nothing.
  Export("ExportFrame", "nothing.bmp", 5);
  EXPECT_EQ(OutputNames(), (std::vector<std::string>{"frame.bmp", "frame.png", "opaque.gif", "transparent.bmp"}));
  EXPECT_TRUE(m_messages.Shown().empty());

  // In action mode the sprite frame that was current is exported, not a clip's.
  m_session->Transport().SetActionMode(true);
  m_session->SetPosition(0, 1, QStringLiteral("Frame :  1/ 1"));
  EXPECT_EQ(FileBytes(Export("ExportFrame", "clip.bmp", 1)), Converter_Bmp::SerializeBmp(Header(), Frame(1)));
  m_session->Transport().SetActionMode(false);
}

TEST_F(ExportTest, WithoutASpriteThereIsNothingToExportAndFailedWritesAreReported) {
  const Message nothing{.Text = "There is nothing to export: no sprite is loaded.",
                        .Title = "Export error",
                        .Icon = MessageIcon::Information};
  Action("ExportFrame")->trigger();
  Action("ExportAll")->trigger();
  EXPECT_EQ(m_messages.Shown(), (std::vector<Message>{nothing, nothing}));
  EXPECT_TRUE(m_dialog.Requests().empty());

  // Every frame deleted: a palette is left, but no frame to write.
  OpenByDialog(WriteSprite("one.spr", TestSprite(1)));
  m_messages.AnswerQuestion(true);
  Action("DeleteFrame")->trigger();
  m_messages.Clear();
  Action("ExportFrame")->trigger();
  EXPECT_EQ(m_messages.Shown(), std::vector<Message>{nothing});

  m_messages.Clear();
  OpenExportSprite();
  Export("ExportFrame", "missing/frame.gif", 2);
  EXPECT_TRUE(LastMessage(1, "Export error", "frame.gif"));
  Export("ExportAll", "missing/a.bmp", 1);
  EXPECT_TRUE(LastMessage(2, "Export error", "a-01.bmp"));
  Export("ExportAll", "missing/walk.gif", 4);
  EXPECT_TRUE(LastMessage(3, "Export error"));
  EXPECT_TRUE(OutputNames().empty());
  EXPECT_EQ(m_window->windowTitle(), "Tessaloom+");
}

TEST_F(ExportTest, StillsGetTheChosenNameNumberedFromOne) {
  OpenByDialog(WriteSprite("twelve.spr", TestSprite(12)));
  Export("ExportAll", "a.bmp", 1);
  EXPECT_EQ(m_dialog.Requests().back(),
            (DialogRequest{DialogRequest::Kind::Save, "Export all frames to...", kAllFilter, ""}));
  EXPECT_EQ(OutputNames(), NumberedNames("a", 12, ".bmp"));
  EXPECT_EQ(FileBytes(PathOf("a-12.bmp")), Converter_Bmp::SerializeBmp(Header(), Frame(11)));
  EXPECT_EQ(QImage(PathOf("a-12.bmp")).size(), QSize(14, 13));

  OpenByDialog(WriteSprite("hundred.spr", TestSprite(100)));
  Export("ExportAll", "b.gif", 2);
  const std::vector<std::string> names = OutputNames();
  EXPECT_EQ(std::vector<std::string>(names.end() - 100, names.end()), NumberedNames("b", 100, ".gif"));
  EXPECT_EQ(FileBytes(PathOf("b-100.gif")), Converter_Gif::EncodeGif(Header(), Frame(99), true));
  EXPECT_EQ(QImage(PathOf("b-100.gif")).size(), QSize(102, 101));
  EXPECT_TRUE(m_messages.Shown().empty());
}

TEST_F(ExportTest, ANameWithoutExtensionKeepsAllItsLetters) {
  OpenExportSprite();
  Export("ExportAll", "hero", 3);
  Export("ExportAll", "hero.gif", 6);
  EXPECT_EQ(OutputNames(), (std::vector<std::string>{"hero-01.gif", "hero-01.png", "hero-02.gif", "hero-02.png",
                                                     "hero-03.gif", "hero-03.png"}));
  EXPECT_EQ(FileBytes(PathOf("hero-02.gif")), Converter_Gif::EncodeGif(Header(), Frame(1), false));
  EXPECT_EQ(FileBytes(PathOf("hero-02.png")), Converter_Png::EncodeIndexedPng(Header(), Frame(1)).value());
  EXPECT_EQ(qAlpha(QImage(PathOf("hero-02.png")).pixel(0, 0)), 0);

  // An entry past the last writes nothing.
  Export("ExportAll", "other.bmp", 7);
  EXPECT_EQ(OutputNames().size(), 6u);
}

TEST_F(ExportTest, TheAnimatedChoicesWriteOneLoopingFile) {
  OpenExportSprite();
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
  OpenExportSprite();
  const SprDocument before = m_session->Document();
  const std::size_t requests = m_dialog.Requests().size() + 1;  // the export's own dialog
  QString titleMeanwhile;
  // Runs from the window events the writer lets in before its first frame.
  QTimer::singleShot(0, m_window.get(), [&] {
    titleMeanwhile = m_window->windowTitle();
    for (const char* item : {"NewFile", "OpenFile", "Save", "AddFrame", "DeleteFrame", "ExportFrame", "ExportAll",
                             "ImportPal", "UndoPal", "ZoomIn"}) {
      Action(item)->trigger();
    }
  });
  Export("ExportAll", "walk.gif", 4);

  EXPECT_EQ(titleMeanwhile, "Tessaloom+ (Writting)");
  EXPECT_EQ(m_dialog.Requests().size(), requests) << "no other command asked for a file";
  EXPECT_TRUE(m_messages.Asked().empty());
  EXPECT_EQ(m_session->Document(), before);
  EXPECT_EQ(m_session->ZoomStep(), 4) << "commands that leave the sprite alone still run";
  EXPECT_EQ(FileBytes(PathOf("walk.gif")), Converter_Gif::EncodeAnimatedGif(before.Header, before.Frames, true).value());
  EXPECT_EQ(m_window->windowTitle(), "Tessaloom+");
  EXPECT_TRUE(Action("DeleteFrame")->isEnabled());
}

TEST_F(ExportTest, AnAnimationNeedsAPalette) {
  SprDocument sprite = TestSprite(2);
  sprite.Header.Palette.clear();
  m_session->ReplaceDocument(sprite);
  m_session->EnableSpriteCommands();
  Export("ExportAll", "walk.gif", 5);
  EXPECT_TRUE(LastMessage(1, "Export error", "palette"));
  EXPECT_TRUE(OutputNames().empty());

  // A palette without frames gives an animation without images.
  m_session->ReplaceDocument(TestSprite(0));
  const QString empty = Export("ExportAll", "empty.gif", 4);
  EXPECT_EQ(FileBytes(empty), Converter_Gif::EncodeAnimatedGif(Header(), {}, true).value());
}

}  // namespace
}  // namespace tessaloom
