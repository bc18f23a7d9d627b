// What drawing puts on the canvas: where a frame lands and how large, its colours and
// key colour, clipping, the background, highlighted entries, and the layers of a clip.

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include "core/generators.h"
#include "core/render/canvas_drawing.h"
#include "core/render/view_settings.h"
#include "core/render/painter.h"
#include "core/render/pixel_probe.h"
#include "core/render/preview_drawing.h"

namespace tessaloom {
namespace {

constexpr Color kMagenta = MakeColor(255, 0, 255);
constexpr Color kGreen = MakeColor(0, 200, 0);
constexpr Color kBlue = MakeColor(0, 0, 255);
constexpr Color kOrange = MakeColor(250, 120, 0);
constexpr Color kSky = MakeColor(0, 120, 250);  // orange with red and blue exchanged
constexpr Argb kCleared = ToArgb(kCanvasColor);
constexpr Argb kStale = 0xFF123456u;

ViewSettings ViewOf(int zoomStep, int clientWidth, int clientHeight) {
  return {.ZoomStep = zoomStep, .ClientWidth = clientWidth, .ClientHeight = clientHeight};
}

// A view placing a W x H frame at (x, y) at step 3.
ViewSettings ViewPlacingAt(int x, int y, int frameWidth, int frameHeight) {
  return ViewOf(3, 2 * x + frameWidth, 2 * y + frameHeight + 40);
}

Image ImageOf(int width, std::vector<Argb> pixels) {
  Image image(width, static_cast<int>(pixels.size()) / width);
  image.Pixels = std::move(pixels);
  return image;
}

// The drawing rule applied pixel by pixel, the slow way.
Image ReferenceDraw(Image canvas, const SprHeader& header, const std::vector<gen::Bytes>& rows,
                    const ViewSettings& view, int offsetX, int offsetY) {
  const int width = static_cast<int>(rows[0].size()), height = static_cast<int>(rows.size());
  const FramePlacement placed = PlaceFrame(width, height, view, offsetX, offsetY);
  const Color key = Tool_Spr::PaletteColor(header.Palette, 0);
  for (int y = std::max(placed.Y, 0); y < std::min(placed.Y + placed.Height, canvas.Height); ++y) {
    for (int x = std::max(placed.X, 0); x < std::min(placed.X + placed.Width, canvas.Width); ++x) {
      const int row = (y - placed.Y) * height / placed.Height, column = (x - placed.X) * width / placed.Width;
      const Color color = Tool_Spr::PaletteColor(header.Palette, rows[row][column]);
      if (!view.Transparent || color != key) canvas.At(x, y) = ToArgb(color);
    }
  }
  return canvas;
}

// Nearest-pixel scaling at every zoom, clipping at every edge, the key colour left out
// by colour (not by index), and row padding never read.
RC_GTEST_PROP(RenderFrame, DrawsEveryPixelByTheRule, (bool transparent)) {
  const auto rows = *gen::Rows(6, 5);
  SprHeader header;
  for (int i = 0; i < kPaletteEntries; ++i) {
    const Color color = *rc::gen::element(kMagenta, MakeColor(254, 0, 255), kGreen, kBlue);
    header.Palette.insert(header.Palette.end(), {BlueOf(color), GreenOf(color), RedOf(color), 0});
  }
  ViewSettings view = ViewPlacingAt(4, 4, 5, 3);
  view.ZoomStep = *rc::gen::inRange(kMinZoomStep, kMaxZoomStep + 1);
  view.Transparent = transparent;
  const int offsetX = *rc::gen::inRange(-25, 25), offsetY = *rc::gen::inRange(-25, 25);
  Image canvas(13, 11, kStale);
  Tool_Spr::DrawSprite(canvas, header, FrameFromRows(rows, 0xEE), view, offsetX, offsetY, true);
  RC_ASSERT(canvas == ReferenceDraw(Image(13, 11, kStale), header, rows, view, offsetX, offsetY));
  // The status bar's probe reads the pixel the drawing shows, and only inside the frame.
  if (transparent) return;
  const SprDocument sprite{.Header = header, .Frames = {FrameFromRows(rows, 0xEE)}};
  const FramePlacement placed = PlaceFrame(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()), view,
                                           offsetX, offsetY);
  for (int y = 0; y < canvas.Height; ++y) {
    for (int x = 0; x < canvas.Width; ++x) {
      const std::optional<ProbedPixel> probed = ProbeFrame(sprite, 1, placed, x, y);
      RC_ASSERT(probed.has_value() == (canvas.At(x, y) != kStale));
      if (probed) RC_ASSERT(probed->Color == canvas.At(x, y));
    }
  }
}

TEST(RenderPlacement, FloorsTheExactPositionAndRoundsTheSize) {
  struct Case {
    int Width, Height, Step, ClientWidth, ClientHeight;
    FramePlacement Placed;
  };
  const Case cases[] = {
      {10, 10, 11, 200, 200, {81, 61, 37, 37}},
      {2, 7, 5, 50, 50, {23, -1, 3, 12}},       // 5/3 of 2 is 3.33 and of 7 is 11.67
      {10, 10, 0, 640, 480, {315, 215, 10, 10}},  // a step outside the range takes the nearest
      {27, 27, 7, 63, 103, {0, 0, 63, 63}},     // 63/2 - (7/3)(27/2) is 0 exactly, not a hair below
      {3, 3, 3, 641, 0, {319, -22, 3, 3}},      // halves floor towards minus infinity
  };
  for (const Case& c : cases) {
    const FramePlacement placed = PlaceFrame(c.Width, c.Height, ViewOf(c.Step, c.ClientWidth, c.ClientHeight), 5, -5);
    EXPECT_EQ(PixelRect(placed.X, placed.Y, placed.Width, placed.Height),
              PixelRect(c.Placed.X + 5, c.Placed.Y - 5, c.Placed.Width, c.Placed.Height)) << c.Width << " " << c.Step;
  }
}

TEST(RenderFrame, ShortPalettesReadBlackAndShortPixelsTheirLastByte) {
  SprHeader header{.Palette = PaletteOf({kMagenta, kGreen, kBlue, kOrange, kSky})};
  SprFrame frame = FrameFromRows({{1, 2, 200}, {4, 3, 2}});
  frame.Pixels.resize(6);  // stored 4 3 2 pad 1 2 | 200 pad: cut after "1 2"
  Image canvas(3, 2);
  Tool_Spr::DrawSprite(canvas, header, frame, ViewPlacingAt(0, 0, 3, 2), 0, 0, false);
  EXPECT_EQ(canvas, ImageOf(3, {ToArgb(kGreen), ToArgb(kBlue), ToArgb(kBlue), ToArgb(kSky), ToArgb(kOrange), ToArgb(kBlue)}));
  Tool_Spr::DrawSprite(canvas, header, FrameFromRows({{200}}), ViewPlacingAt(0, 0, 1, 1), 0, 0, false);
  EXPECT_EQ(canvas.At(0, 0), 0xFF000000u);
}

TEST(RenderFrame, FramesWithoutPixelsLeaveTheCanvas) {
  const SprDocument sprite = SpriteOf({SprFrame{}});
  Image canvas(8, 8, kStale);
  Tool_Spr::DrawSprite(canvas, sprite.Header, sprite.Frames[0], ViewPlacingAt(2, 2, 0, 0), 0, 0, false);
  EXPECT_EQ(canvas, Image(8, 8, kStale));
  // Sprite mode clears the whole canvas all the same, and for frames outside the sprite.
  for (const int frameNumber : {0, 1, 2}) {
    DrawSpriteFrame(canvas, sprite, frameNumber, ViewSettings{});
    EXPECT_EQ(canvas, Image(8, 8, kCleared)) << frameNumber;
  }
}

TEST(RenderFrame, BackgroundPictureIsDrawnUnscaledAtTheTopLeftUnderTheFrame) {
  const Image picture = ImageOf(3, {1, 2, 3, 4, 5, 6});
  ViewSettings view = ViewPlacingAt(1, 0, 2, 2);
  view.BackgroundPicture = &picture;
  Image canvas(5, 3);
  Tool_Spr::DrawSprite(canvas, SprHeader{.Palette = PaletteOf({kMagenta, kGreen})}, FrameFromRows({{0, 1}, {1, 0}}),
                       view, 0, 0, false);
  const Argb g = ToArgb(kGreen), c = kCleared;
  EXPECT_EQ(canvas, ImageOf(5, {1, 2, g, c, c, 4, g, 6, c, c, c, c, c, c, c}));
}

// The highlighted entry is drawn with red and blue exchanged; the palette keeps its true
// colours.
TEST(RenderHighlight, OnlyTheHighlightedEntryIsShownWithRedAndBlueExchanged) {
  SprDocument sprite = SpriteOf({FrameFromRows({{1, 2, 3}})});
  sprite.Header.Palette = PaletteOf({kMagenta, kOrange, kGreen, kOrange});
  const SprDocument before = sprite;
  ViewSettings view = ViewPlacingAt(0, 0, 3, 1);
  view.HighlightIndex = 1;
  Image canvas(3, 1);
  DrawSpriteFrame(canvas, sprite, 1, view);
  EXPECT_EQ(canvas, ImageOf(3, {ToArgb(kSky), ToArgb(kGreen), ToArgb(kOrange)}));
  EXPECT_EQ(sprite, before);
}

ActData ActOf(const std::vector<std::vector<ActLayer>>& clips) {
  ActData act{.ActionCount = 1, .Actions = {{.ClipCount = static_cast<std::int16_t>(clips.size())}}};
  for (const auto& layers : clips) {
    act.Actions[0].Clips.push_back({.LayerCount = static_cast<std::int16_t>(layers.size()), .Layers = layers});
  }
  return act;
}

// Frame 0: 4x4 green; 1: 2x2 blue; 2: 2x2 blue with a key-coloured top-left; 3: empty.
const SprDocument kLayers = [] {
  SprDocument sprite = SpriteOf({SolidFrame(4, 4, 1), SolidFrame(2, 2, 2), FrameFromRows({{0, 2}, {2, 2}}), {}});
  sprite.Header.Palette = PaletteOf({kMagenta, kGreen, kBlue});
  return sprite;
}();

// A clip is one cleared canvas with its layers drawn over it in order, each at its
// offset in canvas pixels; a layer that shows no indexed frame of the sprite (before
// the first, past the last, a 32-bit colour frame) is skipped.
RC_GTEST_PROP(RenderClip, DrawsItsLayersInOrderOverOneClearedCanvas, ()) {
  const auto layers = *rc::gen::container<std::vector<ActLayer>>(rc::gen::build<ActLayer>(
      rc::gen::set(&ActLayer::SpriteIndex, rc::gen::inRange<std::int16_t>(-1, 6)),
      rc::gen::set(&ActLayer::PosX, rc::gen::inRange<std::int16_t>(-20, 20)),
      rc::gen::set(&ActLayer::PosY, rc::gen::inRange<std::int16_t>(-20, 20)),
      rc::gen::set(&ActLayer::SpriteType, rc::gen::weightedElement<std::int32_t>({{5, 0}, {1, 1}}))));
  const ViewSettings view = ViewOf(*rc::gen::inRange(kMinZoomStep, kMaxZoomStep + 1), 20, 30);
  Image expected(20, 30);
  Painter::ClearCanvas(expected, view);
  for (const ActLayer& layer : layers) {
    if (layer.SpriteIndex < 0 || layer.SpriteIndex >= 4 || layer.SpriteType != 0) continue;
    Tool_Spr::DrawSprite(expected, kLayers.Header, kLayers.Frames[layer.SpriteIndex], view, layer.PosX, layer.PosY, true);
  }
  const ActData act = ActOf({layers});
  Image canvas(20, 30, kStale);
  RC_ASSERT(Painter::DrawClip(canvas, kLayers, &act, 0, 0, view).has_value());
  RC_ASSERT(canvas == expected);
}

// Both the old drawing and the game's.
TEST(RenderClip, ClipThatCannotBeDrawnIsAnErrorAndLeavesTheCanvas) {
  const ActData act = ActOf({{ActLayer{}}, {ActLayer{.SpriteIndex = 1}}});
  for (const auto draw : {&Painter::DrawClip, &Preview::DrawClip}) {
    for (const auto& [file, action, clip] : {std::tuple<const ActData*, int, int>{nullptr, 0, 0}, {&act, -1, 0},
                                             {&act, 1, 0}, {&act, 0, -1}, {&act, 0, 2}}) {
      Image canvas(20, 60, kStale);
      const Status status = draw(canvas, kLayers, file, action, clip, ViewOf(3, 20, 60));
      ASSERT_FALSE(status) << action << "," << clip;
      EXPECT_EQ(status.error().text, "error draw");
      EXPECT_EQ(canvas, Image(20, 60, kStale));
    }
  }
}

}  // namespace
}  // namespace tessaloom
