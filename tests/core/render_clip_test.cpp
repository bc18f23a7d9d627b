// Clips of an action drawn as stacked layers: order, offsets, skipped layers, and
// the clips that cannot be drawn at all.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "core/render/canvas_drawing.h"
#include "core/render/view_settings.h"
#include "core/render/painter.h"
#include "support/frame_builder.h"

namespace tessaloom {
namespace {

constexpr Color kMagenta = MakeColor(255, 0, 255);
constexpr Color kGreen = MakeColor(0, 200, 0);
constexpr Color kBlue = MakeColor(0, 0, 255);
constexpr Argb kCleared = ToArgb(kCanvasColor);
constexpr Argb kStale = 0xFF123456u;

// Frame 0: 4x4 green; 1: 2x2 blue; 2: 2x2 blue with a key-coloured top-left; 3: empty.
SprDocument LayerSprite() {
  SprDocument sprite;
  sprite.Header.Palette = PaletteOf({kMagenta, kGreen, kBlue});
  sprite.Frames = {SolidFrame(4, 4, 1), SolidFrame(2, 2, 2), FrameFromRows({{0, 2}, {2, 2}}),
                   SprFrame{}};
  sprite.Header.FrameCount = static_cast<std::int16_t>(sprite.Frames.size());
  return sprite;
}

ActLayer Layer(int spriteIndex, int posX = 0, int posY = 0, int spriteType = 0) {
  return ActLayer{.SpriteIndex = static_cast<std::int16_t>(spriteIndex), .PosX = static_cast<std::int16_t>(posX),
                  .PosY = static_cast<std::int16_t>(posY), .SpriteType = spriteType};
}

// One action holding the given clips.
ActData ActOf(const std::vector<std::vector<ActLayer>>& clips) {
  ActAction action;
  for (const std::vector<ActLayer>& layers : clips) {
    ActClip& clip = action.Clips.emplace_back();
    clip.Layers = layers;
    clip.LayerCount = static_cast<std::int16_t>(layers.size());
  }
  action.ClipCount = static_cast<std::int16_t>(action.Clips.size());
  ActData act;
  act.Actions.push_back(action);
  act.ActionCount = 1;
  return act;
}

// The 4x4 frame lands at (8, 8) and the 2x2 ones at (9, 9) at step 3.
ViewSettings ClipView() {
  ViewSettings view;
  view.ClientWidth = 20;
  view.ClientHeight = 60;
  return view;
}

Image DrawnClip(const std::vector<ActLayer>& layers, const ViewSettings& view) {
  const ActData act = ActOf({layers});
  Image canvas(view.ClientWidth, view.ClientHeight, kStale);
  EXPECT_TRUE(Painter::DrawClip(canvas, LayerSprite(), &act, 0, 0, view).has_value());
  return canvas;
}

TEST(RenderClip, LaterLayersCoverEarlierOnes) {
  ViewSettings view = ClipView();
  for (const bool transparent : {true, false}) {
    view.Transparent = transparent;
    const Image canvas = DrawnClip({Layer(0), Layer(2)}, view);
    EXPECT_EQ(transparent ? ToArgb(kGreen) : ToArgb(kMagenta), canvas.At(9, 9)) << transparent;
    EXPECT_EQ(ToArgb(kBlue), canvas.At(10, 9));
    EXPECT_EQ(ToArgb(kBlue), canvas.At(10, 10));
    EXPECT_EQ(ToArgb(kGreen), canvas.At(8, 8));
    EXPECT_EQ(ToArgb(kGreen), canvas.At(11, 11));
    EXPECT_EQ(PixelRect(8, 8, 4, 4), BoundsOfPixelsOtherThan(canvas, kCleared));

    // The other way round the 4x4 frame hides the 2x2 one completely.
    EXPECT_EQ(DrawnClip({Layer(0)}, view), DrawnClip({Layer(2), Layer(0)}, view));
  }
}

TEST(RenderClip, LayerOffsetsAreCanvasPixelsAtEveryZoomStep) {
  ViewSettings view = ClipView();
  view.ClientWidth = 200;
  view.ClientHeight = 200;
  for (int zoomStep = kMinZoomStep; zoomStep <= kMaxZoomStep; ++zoomStep) {
    view.ZoomStep = zoomStep;
    const PixelRect centred = BoundsOfPixelsOtherThan(DrawnClip({Layer(0)}, view), kCleared);
    const PixelRect shifted = BoundsOfPixelsOtherThan(DrawnClip({Layer(0, -10, 7)}, view), kCleared);
    const FramePlacement placed = PlaceFrame(4, 4, view, 0, 0);
    SCOPED_TRACE(zoomStep);
    EXPECT_EQ(PixelRect(placed.X, placed.Y, placed.Width, placed.Height), centred);
    EXPECT_EQ(PixelRect(centred.X - 10, centred.Y + 7, centred.Width, centred.Height), shifted);

    // Two layers 30 pixels apart stay 30 pixels apart whatever the zoom.
    const Image pair = DrawnClip({Layer(1, -15, 0), Layer(1, 15, 0)}, view);
    const FramePlacement small = PlaceFrame(2, 2, view, 0, 0);
    EXPECT_EQ(PixelRect(small.X - 15, small.Y, small.Width + 30, small.Height), BoundsOfPixelsOtherThan(pair, kCleared));
  }
}

TEST(RenderClip, ClipWithNoLayersGivesTheClearedCanvas) {
  const Image picture(3, 3, 0xFF00AA00u);
  ViewSettings view = ClipView();
  view.BackgroundPicture = &picture;
  Image cleared(20, 60);
  Painter::ClearCanvas(cleared, view);
  EXPECT_EQ(cleared, DrawnClip({}, view));
}

TEST(RenderClip, LayersShowingNoIndexedFrameAreSkipped) {
  const ViewSettings view = ClipView();
  const Image blueOnly = DrawnClip({Layer(1)}, view);
  EXPECT_EQ(PixelRect(9, 9, 2, 2), BoundsOfPixelsOtherThan(blueOnly, kCleared));

  // Before the first frame, past the last, a 32-bit colour frame, an empty frame: the
  // canvas is cleared once all the same and the drawable layer shows.
  EXPECT_EQ(blueOnly, DrawnClip({Layer(-1), Layer(1)}, view));
  EXPECT_EQ(blueOnly, DrawnClip({Layer(4), Layer(1), Layer(200)}, view));
  EXPECT_EQ(blueOnly, DrawnClip({Layer(0, 0, 0, 1), Layer(1)}, view));
  EXPECT_EQ(blueOnly, DrawnClip({Layer(3), Layer(1), Layer(3)}, view));
  EXPECT_EQ(Image(20, 60, kCleared), DrawnClip({Layer(-1), Layer(3), Layer(0, 0, 0, 1)}, view));
}

TEST(RenderClip, ClipThatCannotBeDrawnIsAnErrorAndLeavesTheCanvas) {
  const SprDocument sprite = LayerSprite();
  const ActData act = ActOf({{Layer(0)}, {Layer(1)}});
  struct Request {
    const ActData* Act;
    int Action, Clip;
  };
  for (const Request& request : {Request{nullptr, 0, 0}, {&act, -1, 0}, {&act, 1, 0}, {&act, 0, -1}, {&act, 0, 2}}) {
    Image canvas(20, 60, kStale);
    const Status status = Painter::DrawClip(canvas, sprite, request.Act, request.Action, request.Clip, ClipView());
    ASSERT_FALSE(status.has_value()) << request.Action << "," << request.Clip;
    EXPECT_EQ("Tessaloom+", status.error().title);
    EXPECT_EQ("error draw", status.error().text);
    EXPECT_FALSE(status.error().detail.empty());
    EXPECT_EQ(Image(20, 60, kStale), canvas);
  }
  Image canvas(20, 60, kStale);
  EXPECT_TRUE(Painter::DrawClip(canvas, sprite, &act, 0, 1, ClipView()).has_value());
  EXPECT_EQ(PixelRect(9, 9, 2, 2), BoundsOfPixelsOtherThan(canvas, kCleared));
}

}  // namespace
}  // namespace tessaloom
