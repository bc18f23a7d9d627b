// The action export: the rectangle the clips share, the GIF delay and the colour
// rule. The drawing of each layer is checked in the preview drawing's tests; what
// the files decode to, in decode/action_export_decode_test.cpp.

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include "core/actions/tool_act.h"
#include "core/operations/action_export.h"
#include "core/render/preview_drawing.h"
#include "support/act_bytes.h"
#include "support/frame_builder.h"
#include "support/temp_dir.h"

using namespace tessaloom;

namespace {

ActData Parsed(const ActFileFields& fields) { return Tool_Act::ParseActFile(BuildActFile(fields)).value(); }

SprDocument TwoFrames() { return SpriteOf({SolidFrame(2, 2, 1), SolidFrame(3, 1, 2)}); }

Image Cut(const Image& canvas, const PixelRect& rect) {
  Image part(rect.Width, rect.Height, 0);
  for (int y = 0; y < rect.Height; ++y) {
    for (int x = 0; x < rect.Width; ++x) part.At(x, y) = canvas.At(rect.X + x, rect.Y + y);
  }
  return part;
}

}  // namespace

// Frame 0 centred on the origin covers x and y -1..0; frame 1 centred on (5, 3) covers
// x 3..5 at y 2: together x -1..5 and y -1..2.
TEST(ComposeAction, PlacesEveryClipInOneRectangleAroundTheSameOrigin) {
  const SprDocument sprite = TwoFrames();
  const auto frames = ComposeAction(sprite, Parsed(OffsetClipsActFile()), 0, 3);
  ASSERT_TRUE(frames);
  std::vector<Image> expected(2, Image(7, 4, 0));
  const auto color = [&](std::uint8_t index) { return ToArgb(Tool_Spr::PaletteColor(sprite.Header.Palette, index)); };
  for (int at = 0; at < 4; ++at) expected[0].At(at % 2, at / 2) = color(1);
  for (int x = 4; x < 7; ++x) expected[1].At(x, 3) = color(2);
  EXPECT_EQ(*frames, expected);
}

// The working canvas, sized from the layers' turned and scaled rectangles, loses no
// pixel of what the drawing makes on a canvas of ample size.
RC_GTEST_PROP(ComposeAction, KeepsEveryPixelTheDrawingMakes, ()) {
  const auto scale = rc::gen::element(0.5f, 1.0f, 1.75f, -2.0f);
  const ActLayerFields layer{.X = *rc::gen::inRange(-20, 21), .Y = *rc::gen::inRange(-20, 21), .SpriteIndex = 0,
                             .Direction = *rc::gen::inRange(0, 2), .ScaleX = *scale, .ScaleY = *scale,
                             .Rotation = *rc::gen::inRange(-360, 361)};
  const SprDocument sprite = SpriteOf({SolidFrame(*rc::gen::inRange(1, 7), *rc::gen::inRange(1, 7), 5)});
  const ActData act = Parsed({.Actions = {{.Clips = {{.Layers = {layer}}}}}});
  const int zoom = *rc::gen::inRange(3, 6);
  Image canvas(400, 400, 0);
  Preview::ComposeClip(canvas, sprite, act.Actions[0].Clips[0], act.VersionWord,
                       {.OriginX = 200, .OriginY = 200, .Scale = Preview::Scale(zoom), .Transparent = true});
  const PixelRect drawn = BoundsOfPixelsOtherThan(canvas, 0);
  const auto frames = ComposeAction(sprite, act, 0, zoom);
  RC_ASSERT(frames.has_value() == (drawn.Width > 0));
  if (frames) RC_ASSERT(frames->front() == Cut(canvas, drawn));
}

TEST(GifDelay, RoundsQuartersOfATenthHalvesUpToAtLeastTwoHundredths) {
  for (const auto& [interval, delay] : std::vector<std::pair<float, int>>{
           {4.0f, 10}, {1.0f, 3}, {3.0f, 8}, {0.6f, 2}, {0.2f, 2}, {2.2f, 6}, {1e9f, 65535}}) {
    EXPECT_EQ(GifDelay(interval), delay) << interval;
  }
}

RC_GTEST_PROP(NearestPaletteIndex, IsTheFirstOfTheClosestEntriesPastZero, ()) {
  const Argb pixel = (*rc::gen::element(0u, 127u, 128u, 255u) << 24) | *rc::gen::inRange<Argb>(0, 1u << 24);
  // Channels of 0 to 3: many entries share a colour, so ties are common.
  const auto palette =
      *rc::gen::container<std::vector<std::uint8_t>>(kPaletteBytes, rc::gen::inRange<std::uint8_t>(0, 4));
  const auto distance = [&](int entry) {
    const Color color = Tool_Spr::PaletteColor(palette, static_cast<std::uint8_t>(entry));
    const auto square = [](int a, int b) { return (a - b) * (a - b); };
    return square(RedOf(color), RedOf(FromArgb(pixel))) + square(GreenOf(color), GreenOf(FromArgb(pixel))) +
           square(BlueOf(color), BlueOf(FromArgb(pixel)));
  };
  const int index = NearestPaletteIndex(pixel, palette);
  RC_ASSERT((pixel >> 24) >= 128 || index == 0);
  RC_SUCCEED_IF((pixel >> 24) < 128);
  RC_ASSERT(index >= 1);
  for (int entry = 1; entry < kPaletteEntries; ++entry) {
    RC_ASSERT(std::pair(distance(entry), entry) >= std::pair(distance(index), index));
  }
}

TEST(ExportAction, RefusesWithoutLeavingAFile) {
  const SprDocument sprite = TwoFrames();
  SprDocument bare = sprite;
  bare.Header.Palette.clear();
  const ActData act = Parsed(OffsetClipsActFile());
  ActData empty = act, huge = act;
  for (ActClip& clip : empty.Actions[0].Clips) clip.Layers[0].SpriteIndex = 7;
  huge.Actions[0].Clips[1].Layers[0].ScaleX = std::bit_cast<std::int32_t>(1e6f);
  TempDir dir;
  const auto png = ActionExportFormat::PngFrames;
  for (const auto& [spr, acts, action, format] :
       std::vector<std::tuple<SprDocument, ActData, int, ActionExportFormat>>{
           {sprite, act, 2, png}, {sprite, act, -1, png}, {sprite, act, 1, png},
           {bare, act, 0, ActionExportFormat::AnimatedGif}, {sprite, empty, 0, png}, {sprite, huge, 0, png}}) {
    const Status status = ExportAction(spr, acts, action, 3, format, dir / "walk.png");
    ASSERT_FALSE(status) << action;
    EXPECT_EQ(status.error().title, "Export error");
  }
  EXPECT_TRUE(TempDir::ListNames(dir.Path()).empty());
}
