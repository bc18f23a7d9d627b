// An exported action read back by Qt's image readers: every clip a frame of the
// composed pictures, at the action's own delay, looping forever.

#include <gtest/gtest.h>

#include <QImage>
#include <QImageReader>

#include "core/actions/tool_act.h"
#include "core/operations/action_export.h"
#include "core/operations/sprite_operations.h"
#include "support/act_bytes.h"
#include "support/frame_builder.h"
#include "support/temp_dir.h"

using namespace tessaloom;

namespace {

// Transparent where the picture is; else its colour, opaque.
bool Shows(const QImage& image, const Image& picture) {
  if (image.size() != QSize(picture.Width, picture.Height)) return false;
  for (int y = 0; y < picture.Height; ++y) {
    for (int x = 0; x < picture.Width; ++x) {
      const QRgb pixel = image.pixel(x, y);
      if (picture.At(x, y) == 0 ? qAlpha(pixel) != 0 : pixel != picture.At(x, y)) return false;
    }
  }
  return true;
}

}  // namespace

TEST(QtDecode, ExportedActionsShowTheirClips) {
  const SprDocument sprite = SpriteOf({SolidFrame(2, 2, 1), SolidFrame(3, 1, 2)});
  const ActData act = Tool_Act::ParseActFile(BuildActFile(OffsetClipsActFile())).value();
  const auto pictures = ComposeAction(sprite, act, 0, 4);
  ASSERT_TRUE(pictures);
  TempDir dir;
  ASSERT_TRUE(ExportAction(sprite, act, 0, 4, ActionExportFormat::AnimatedGif, dir / "walk.gif"));
  ASSERT_TRUE(ExportAction(sprite, act, 0, 4, ActionExportFormat::PngFrames, dir / "walk.png"));
  QImageReader reader(QString::fromStdString((dir / "walk.gif").string()));
  EXPECT_EQ(reader.imageCount(), 2);
  EXPECT_EQ(reader.loopCount(), -1);
  for (int clip = 1; clip <= 2; ++clip) {
    const Image& picture = (*pictures)[static_cast<std::size_t>(clip - 1)];
    EXPECT_TRUE(Shows(reader.read(), picture));
    EXPECT_EQ(reader.nextImageDelay(), 80);  // 3 x 25 ms in hundredths, halves up
    EXPECT_TRUE(Shows(QImage(QString::fromStdString(NumberedFileName(dir / "walk.png", clip, ".png").string())),
                      picture));
  }
}
