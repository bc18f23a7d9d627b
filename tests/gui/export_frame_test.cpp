// Export frame: the current sprite frame written in the format of the chosen filter
// entry, byte for byte what the core's writers make, and readable by Qt.

#include <QStringList>

#include "convert/converter_bmp.h"
#include "convert/converter_gif.h"
#include "convert/converter_png.h"
#include "export_test_support.h"

namespace tessaloom {
namespace {

constexpr char kFrameFilter[] =
    "Bitmap |*.bmp|Gif Transparent (GIF89a)|*.gif|Gif Non Transparent (GIF87a)|*.gif|Png (transparent) |*.png";

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

class ExportFrameTest : public ExportTest {
 protected:
  void SetUp() override {
    OpenByDialog(WriteSprite("three.spr", ExportSprite()));
    // The frame shown, not the first one, is the one exported.
    m_session->SetPosition(2, 3, QStringLiteral("Frame : 2/ 3"));
  }

  const SprHeader& Header() const { return m_session->Document().Header; }
  const SprFrame& Shown() const { return m_session->Document().Frames[1]; }
};

TEST_F(ExportFrameTest, TheFilterEntryChoosesTheFormat) {
  const QString bmp = Export("ExportFrame", "frame.bmp", 1);
  EXPECT_EQ(m_dialog.Requests().back(),
            (DialogRequest{DialogRequest::Kind::Save, "Export Frame to...", kFrameFilter, ""}));
  EXPECT_EQ(FileBytes(bmp), Converter_Bmp::SerializeBmp(Header(), Shown()));
  EXPECT_EQ(DecodedPixels(bmp), ExpectedPixels(false));

  // The name is taken as chosen: the entry, not the extension, decides.
  const QString transparent = Export("ExportFrame", "transparent.bmp", 2);
  EXPECT_EQ(FileBytes(transparent), Converter_Gif::EncodeGif(Header(), Shown(), true));
  EXPECT_EQ(QImageReader(transparent).format(), "gif");
  EXPECT_EQ(DecodedPixels(transparent), ExpectedPixels(true));

  const QString opaque = Export("ExportFrame", "opaque.gif", 3);
  const std::vector<std::uint8_t> opaqueBytes = FileBytes(opaque);
  EXPECT_EQ(opaqueBytes, Converter_Gif::EncodeGif(Header(), Shown(), false));
  EXPECT_EQ(std::string(opaqueBytes.begin(), opaqueBytes.begin() + 6), "GIF87a");
  EXPECT_EQ(DecodedPixels(opaque), ExpectedPixels(false));

  const QString png = Export("ExportFrame", "frame.png", 4);
  EXPECT_EQ(FileBytes(png), Converter_Png::EncodeIndexedPng(Header(), Shown()).value());
  EXPECT_EQ(DecodedPixels(png), ExpectedPixels(true));

  Export("ExportFrame", "nothing.bmp", 5);
  EXPECT_EQ(OutputNames(),
            (std::vector<std::string>{"frame.bmp", "frame.png", "opaque.gif", "transparent.bmp"}));
  EXPECT_TRUE(m_messages.Shown().empty());
}

TEST_F(ExportFrameTest, TheTitleSaysWrittingWhileTheFileIsWritten) {
  QStringList titles;
  QObject::connect(m_session.get(), &Session::activityChanged, [&] { titles << m_window->windowTitle(); });
  m_dialog.AnswerCancel();
  Action("ExportFrame")->trigger();
  EXPECT_TRUE(titles.isEmpty());
  EXPECT_TRUE(OutputNames().empty());

  Export("ExportFrame", "frame.bmp", 1);
  EXPECT_EQ(titles, QStringList({"Tessaloom+ (Writting)", "Tessaloom+"}));
}

TEST_F(ExportFrameTest, ActionModeExportsTheSpriteFrameThatWasCurrent) {
  m_session->Transport().SetActionMode(true);
  // Clip 0 of an action is on the canvas; the position no longer names a frame.
  m_session->SetPosition(0, 1, QStringLiteral("Frame :  1/ 1"));
  const QString bmp = Export("ExportFrame", "frame.bmp", 1);
  EXPECT_EQ(FileBytes(bmp), Converter_Bmp::SerializeBmp(Header(), Shown()));
  m_session->Transport().SetActionMode(false);
}

TEST_F(ExportFrameTest, AFailedWriteIsReportedAndLeavesNoFile) {
  const QString path = Export("ExportFrame", "missing/frame.gif", 2);
  ASSERT_EQ(m_messages.Shown().size(), 1u);
  EXPECT_EQ(m_messages.Shown()[0].Title, "Export error");
  EXPECT_TRUE(m_messages.Shown()[0].Text.contains("frame.gif")) << m_messages.Shown()[0].Text.toStdString();
  EXPECT_TRUE(OutputNames().empty());
  EXPECT_EQ(m_window->windowTitle(), "Tessaloom+");
}

TEST_F(ExportTest, WithoutASpriteThereIsNothingToExport) {
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
}

}  // namespace
}  // namespace tessaloom
