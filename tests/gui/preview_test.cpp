// Preview Mode in the windows: the toggle kept between runs, the 32-bit colour frames
// in sprite mode's frame list, and Actions > Export writing the current action.

#include <QImageReader>

#include "support/act_bytes.h"
#include "support/spr_bytes.h"
#include "window_fixture.h"

namespace tessaloom {
namespace {

class PreviewTest : public WindowTest {
 protected:
  // Three indexed frames, 1 x 1 to 3 x 1, then two 32-bit frames, 4 x 3 and 2 x 5.
  QString WriteColourSprite() {
    const std::uint8_t row[] = {1, 2, 3};
    const std::vector<std::uint32_t> pixels(12, 0xFF204060);
    SprBytes bytes;
    bytes.Header({.Minor = 0, .Major = 2, .FrameCount = 3, .Reserved = {2, 0}});
    for (std::int16_t width = 1; width <= 3; ++width) bytes.RawFrame(width, 1, std::span(row).first(width));
    bytes.RgbaFrame(4, 3, pixels).RgbaFrame(2, 5, std::span(pixels).first(10)).TestPalette();
    return WriteBytes("colour.spr", bytes.Build());
  }
};

TEST_F(PreviewTest, TheToggleStartsOffAndIsKeptForTheNextRun) {
  EXPECT_EQ(Enabled({"PreviewMode"}), QStringList{"PreviewMode"});
  EXPECT_FALSE(Action("PreviewMode")->isChecked());
  Trigger("PreviewMode");
  Restart();
  EXPECT_TRUE(Action("PreviewMode")->isChecked());
  EXPECT_TRUE(m_session->View().PreviewMode());
}

TEST_F(PreviewTest, SpriteModeListsThe32BitFramesAfterTheIndexedOnesWhileOn) {
  OpenByDialog(WriteColourSprite());
  EXPECT_EQ(PanelText(2), "Frame : 1/ 3");
  Trigger("PreviewMode");
  EXPECT_EQ(PanelText(2), "Frame : 1/ 5");
  Trigger("Last");
  EXPECT_EQ(PanelText(2), "Frame :  5/ 5");
  EXPECT_EQ(PanelText(1), "Size: 2 x 5");
  EXPECT_EQ(std::pair(DrawnArea().Width, DrawnArea().Height), std::pair(2, 5));
  // The frame commands leave the 32-bit frames alone.
  Trigger("DeleteFrame");
  EXPECT_TRUE(LastMessage(1, "Delete frame", "Frame 5 is a 32-bit colour frame"));
  // Switched off, the last indexed frame takes its place.
  Trigger("PreviewMode");
  EXPECT_EQ(PanelText(2), "Frame : 3/ 3");
  EXPECT_EQ(PanelText(1), "Size: 3 x 1");
}

TEST_F(PreviewTest, ActionsExportWritesTheCurrentActionAtTheZoomInTheChosenFormat) {
  OpenByDialog(WriteSprite("walk.spr", TestSprite(2)));
  EXPECT_EQ(Enabled({"ExportAct"}), QStringList{});
  ActFileFields file;
  file.Actions = {ActActionFields{.Clips = {ActClipFields{.Layers = {ActLayerFields{.SpriteIndex = 0}}},
                                            ActClipFields{.Layers = {ActLayerFields{.SpriteIndex = 1}}}}}};
  Answer("ImportAct", WriteBytes("walk.act", BuildActFile(file)));

  // Without an extension the filter entry picks the format.
  Answer("ExportAct", PathOf("walk"), 1);
  EXPECT_EQ(m_dialog.Title(), "Export Action as ...");
  EXPECT_EQ(m_dialog.Filter(), "Animated Gif |*.gif|Png frames (transparent) |*.png");
  QImageReader gif(PathOf("walk"), "gif");
  EXPECT_EQ(gif.imageCount(), 2);
  // A typed extension picks it over the entry; "2x" draws twice as large.
  Trigger("ZoomIn");
  Answer("ExportAct", PathOf("clip.png"), 1);
  const QImage second(PathOf("clip-02.png"));
  EXPECT_EQ(second.size(), gif.size() * 2);
  EXPECT_TRUE(second.hasAlphaChannel());
  EXPECT_TRUE(m_messages.Shown().empty());
}

}  // namespace
}  // namespace tessaloom
