// What one drawn frame puts on the canvas: colours, key colour, padding, short
// pixel data, empty frames, the background, and clipping at the canvas edges.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "core/render/view_settings.h"
#include "core/render/painter.h"
#include "core/render/canvas_drawing.h"
#include "support/frame_builder.h"

namespace tessaloom {
namespace {

constexpr Color kMagenta = MakeColor(255, 0, 255);
constexpr Color kGreen = MakeColor(0, 200, 0);
constexpr Color kBlue = MakeColor(0, 0, 255);
constexpr Color kAlmostBlue = MakeColor(0, 0, 254);
constexpr Color kOrange = MakeColor(250, 120, 0);
constexpr Argb kCleared = ToArgb(kCanvasColor);

// A view whose client area places a W x H frame at step 3 exactly at (x, y):
// X = floor((3 Cw - 3 W) / 6), Y = floor((3 Ch - 3 H - 120) / 6).
ViewSettings ViewPlacingAt(int x, int y, int frameWidth, int frameHeight) {
  ViewSettings view;
  view.ClientWidth = 2 * x + frameWidth;
  view.ClientHeight = 2 * y + frameHeight + 40;
  return view;
}

// The rows of canvas colours from (x, y), `width` by `height`.
std::vector<std::vector<Argb>> Area(const Image& canvas, int x, int y, int width, int height) {
  std::vector<std::vector<Argb>> rows;
  for (int j = 0; j < height; ++j) {
    std::vector<Argb>& row = rows.emplace_back();
    for (int i = 0; i < width; ++i) row.push_back(canvas.At(x + i, y + j));
  }
  return rows;
}

TEST(RenderFrame, KeyColourIsLeftOutByColourNotByIndex) {
  SprHeader header;
  header.Palette = PaletteOf({kMagenta, kGreen, kMagenta});
  const SprFrame frame = FrameFromRows({{0, 1, 2}});
  ViewSettings view = ViewPlacingAt(1, 1, 3, 1);
  Image canvas(5, 3);

  Tool_Spr::DrawSprite(canvas, header, frame, view, 0, 0, false);
  EXPECT_EQ((std::vector<std::vector<Argb>>{{kCleared, ToArgb(kGreen), kCleared}}),
            Area(canvas, 1, 1, 3, 1));

  view.Transparent = false;
  Tool_Spr::DrawSprite(canvas, header, frame, view, 0, 0, false);
  EXPECT_EQ((std::vector<std::vector<Argb>>{{ToArgb(kMagenta), ToArgb(kGreen), ToArgb(kMagenta)}}),
            Area(canvas, 1, 1, 3, 1));

  // Only the exact colour is keyed: blue goes, a blue one step darker stays.
  header.Palette = PaletteOf({kBlue, kAlmostBlue, kBlue});
  view.Transparent = true;
  Tool_Spr::DrawSprite(canvas, header, frame, view, 0, 0, false);
  EXPECT_EQ((std::vector<std::vector<Argb>>{{kCleared, ToArgb(kAlmostBlue), kCleared}}),
            Area(canvas, 1, 1, 3, 1));
}

TEST(RenderFrame, PaletteShorterThan256EntriesReadsBlackPastItsEnd) {
  SprHeader header;
  header.Palette = PaletteOf({kMagenta, kGreen});
  ViewSettings view = ViewPlacingAt(0, 0, 2, 1);
  Image canvas(2, 1);
  Tool_Spr::DrawSprite(canvas, header, FrameFromRows({{1, 200}}), view, 0, 0, false);
  EXPECT_EQ(ToArgb(kGreen), canvas.At(0, 0));
  EXPECT_EQ(ToArgb(MakeColor(0, 0, 0)), canvas.At(1, 0));
}

TEST(RenderFrame, RowPaddingNeverShowsAndTheDocumentStaysAsItWas) {
  // Padding filled with index 3 (orange) so any read of it would show.
  SprDocument sprite;
  sprite.Header.Compressed = 1;
  sprite.Header.Palette = PaletteOf({kMagenta, kGreen, kBlue, kOrange});
  sprite.Frames.push_back(FrameFromRows({{1, 1, 1, 1, 2}, {2, 1, 1, 1, 1}}, 3));
  const SprDocument before = sprite;
  for (const int zoomStep : {3, 6, 11}) {
    ViewSettings view = ViewPlacingAt(10, 10, 5, 2);
    view.ZoomStep = zoomStep;
    view.Transparent = false;
    Image canvas(40, 30);
    DrawSpriteFrame(canvas, sprite, 1, view);
    const FramePlacement placed = PlaceFrame(5, 2, view, 0, 0);
    EXPECT_EQ(PixelRect(placed.X, placed.Y, placed.Width, placed.Height),
              BoundsOfPixelsOtherThan(canvas, kCleared))
        << "step " << zoomStep;
    EXPECT_EQ(0, std::count(canvas.Pixels.begin(), canvas.Pixels.end(), ToArgb(kOrange)))
        << "step " << zoomStep;
    EXPECT_EQ(ToArgb(kBlue), canvas.At(placed.X + placed.Width - 1, placed.Y));
    EXPECT_EQ(ToArgb(kBlue), canvas.At(placed.X, placed.Y + placed.Height - 1));
  }
  EXPECT_EQ(before, sprite);
}

TEST(RenderFrame, PositionsPastTheEndOfShortPixelDataUseTheLastByte) {
  SprHeader header;
  header.Palette = PaletteOf({kMagenta, MakeColor(1, 0, 0), MakeColor(2, 0, 0), MakeColor(3, 0, 0),
                              MakeColor(4, 0, 0), MakeColor(5, 0, 0), MakeColor(6, 0, 0)});
  SprFrame frame = FrameFromRows({{1, 2, 3}, {4, 5, 6}});
  // Stored bottom-up with stride 4: 4 5 6 pad 1 2 3 pad; cut after "1 2".
  frame.Pixels.resize(6);
  ViewSettings view = ViewPlacingAt(0, 0, 3, 2);
  view.Transparent = false;
  Image canvas(3, 2);
  Tool_Spr::DrawSprite(canvas, header, frame, view, 0, 0, false);
  const auto color = [](std::uint8_t red) { return ToArgb(MakeColor(red, 0, 0)); };
  EXPECT_EQ((std::vector<std::vector<Argb>>{{color(1), color(2), color(2)},
                                            {color(4), color(5), color(6)}}),
            Area(canvas, 0, 0, 3, 2));

  // Cut after the bottom row's padding: the whole top row reads that 0, which is the
  // key colour and keeps the canvas when transparency is on.
  frame.Pixels.resize(4);
  Tool_Spr::DrawSprite(canvas, header, frame, view, 0, 0, false);
  EXPECT_EQ((std::vector<std::vector<Argb>>{{ToArgb(kMagenta), ToArgb(kMagenta), ToArgb(kMagenta)},
                                            {color(4), color(5), color(6)}}),
            Area(canvas, 0, 0, 3, 2));
  view.Transparent = true;
  Tool_Spr::DrawSprite(canvas, header, frame, view, 0, 0, false);
  EXPECT_EQ((std::vector<std::vector<Argb>>{{kCleared, kCleared, kCleared},
                                            {color(4), color(5), color(6)}}),
            Area(canvas, 0, 0, 3, 2));
}

TEST(RenderFrame, FrameWithoutPixelsLeavesTheCanvasAsItWas) {
  SprDocument sprite;
  sprite.Header.Palette = PaletteOf({kMagenta, kGreen});
  sprite.Frames.push_back(SprFrame{});
  Image canvas(8, 8, 0xFF123456u);
  const Image before = canvas;
  Tool_Spr::DrawSprite(canvas, sprite.Header, sprite.Frames[0], ViewPlacingAt(2, 2, 0, 0), 0, 0,
                       false);
  EXPECT_EQ(before, canvas);

  // The whole sprite-mode canvas is cleared all the same, and for frames outside the sprite.
  for (const int frameNumber : {0, 1, 2}) {
    Image whole(8, 8, 0xFF123456u);
    DrawSpriteFrame(whole, sprite, frameNumber, ViewSettings{});
    EXPECT_EQ(Image(8, 8, kCleared), whole) << "frame " << frameNumber;
  }
}

TEST(RenderFrame, BackgroundPictureIsDrawnUnscaledAtTheTopLeftUnderTheFrame) {
  Image picture(3, 2);
  for (std::size_t i = 0; i < picture.Pixels.size(); ++i)
    picture.Pixels[i] = 0xFF000000u + static_cast<Argb>(i);
  SprHeader header;
  header.Palette = PaletteOf({kMagenta, kGreen});
  ViewSettings view = ViewPlacingAt(1, 0, 2, 2);
  view.ZoomStep = 3;
  view.BackgroundPicture = &picture;
  Image canvas(5, 4);
  Tool_Spr::DrawSprite(canvas, header, FrameFromRows({{0, 1}, {1, 0}}), view, 0, 0, false);
  const Argb green = ToArgb(kGreen);
  EXPECT_EQ((std::vector<std::vector<Argb>>{{0xFF000000u, 0xFF000001u, green, kCleared, kCleared},
                                            {0xFF000003u, green, 0xFF000005u, kCleared, kCleared},
                                            {kCleared, kCleared, kCleared, kCleared, kCleared},
                                            {kCleared, kCleared, kCleared, kCleared, kCleared}}),
            Area(canvas, 0, 0, 5, 4));

  // A picture larger than the canvas is cut at its edges.
  const Image large(9, 9, 0xFF0000AAu);
  view.BackgroundPicture = &large;
  Painter::ClearCanvas(canvas, view);
  EXPECT_EQ(Image(5, 4, 0xFF0000AAu), canvas);
}

// The drawing rule applied pixel by pixel over the whole rectangle, the slow way.
Image ReferenceDraw(Image canvas, const SprHeader& header, const SprFrame& frame,
                    const ViewSettings& view, int offsetX, int offsetY) {
  const FramePlacement placed = PlaceFrame(frame.Width, frame.Height, view, offsetX, offsetY);
  const Color key = Tool_Spr::PaletteColor(header.Palette, 0);
  for (int j = 0; j < placed.Height; ++j) {
    for (int i = 0; i < placed.Width; ++i) {
      const int x = placed.X + i, y = placed.Y + j;
      if (x < 0 || y < 0 || x >= canvas.Width || y >= canvas.Height) continue;
      const int imageX = i * frame.Width / placed.Width, imageY = j * frame.Height / placed.Height;
      const std::uint8_t index =
          frame.Pixels[(frame.Height - 1 - imageY) * RowStride(frame.Width) + imageX];
      const Color color = Tool_Spr::PaletteColor(header.Palette, index);
      if (view.Transparent && color == key) continue;
      canvas.At(x, y) = ToArgb(color);
    }
  }
  return canvas;
}

TEST(RenderFrame, ClipsAtAllFourEdgesAndForNegativeOffsets) {
  SprHeader header;
  header.Palette = PaletteOf({kMagenta, kGreen, kBlue, kOrange, MakeColor(9, 9, 9)});
  const SprFrame frame = FrameFromRows({{1, 2, 3, 4, 0}, {0, 4, 3, 2, 1}, {2, 2, 0, 4, 4}});
  ViewSettings view = ViewPlacingAt(4, 4, 5, 3);
  const Image cleared(13, 11, kCleared);
  struct Offsets {
    int X, Y;
  };
  // Off the left, right, top, bottom edges, two corners, covering the canvas, and off it.
  const Offsets cases[] = {{-6, 0}, {-10, 0}, {6, 0}, {12, 1},    {0, -5}, {0, -9},   {1, 6},
                           {0, 9},  {-7, -6}, {8, 7}, {-30, -30}, {40, 0}, {-4000, 3}};
  for (const bool transparent : {true, false}) {
    view.Transparent = transparent;
    for (const int zoomStep : {3, 4, 7, 11}) {
      view.ZoomStep = zoomStep;
      for (const Offsets& offsets : cases) {
        Image canvas = cleared;
        Tool_Spr::DrawSprite(canvas, header, frame, view, offsets.X, offsets.Y, true);
        EXPECT_EQ(ReferenceDraw(cleared, header, frame, view, offsets.X, offsets.Y), canvas)
            << "step " << zoomStep << " offsets " << offsets.X << "," << offsets.Y
            << " transparent " << transparent;
      }
    }
  }

  // Spot checks that do not rest on the slow rule: at step 3 the frame sits at (4, 4).
  Image canvas = cleared;
  view.ZoomStep = 3;
  view.Transparent = false;
  Tool_Spr::DrawSprite(canvas, header, frame, view, -6, -5, true);  // now at (-2, -1)
  const Argb grey = ToArgb(MakeColor(9, 9, 9));
  EXPECT_EQ(
      (std::vector<std::vector<Argb>>{{ToArgb(kOrange), ToArgb(kBlue), ToArgb(kGreen), kCleared},
                                      {ToArgb(kMagenta), grey, grey, kCleared},
                                      {kCleared, kCleared, kCleared, kCleared}}),
      Area(canvas, 0, 0, 4, 3));
  canvas = cleared;
  Tool_Spr::DrawSprite(canvas, header, frame, view, 5, 5, true);  // now at (9, 9): 4 x 2 show
  EXPECT_EQ(PixelRect(9, 9, 4, 2), BoundsOfPixelsOtherThan(canvas, kCleared));
  EXPECT_EQ(ToArgb(kBlue), canvas.At(12, 10));
}

TEST(RenderFrame, FramesBeyondSixteenBitPixelCountsAreDrawn) {
  SprHeader header;
  header.Palette = PaletteOf({kMagenta, kGreen});
  ViewSettings view = ViewPlacingAt(0, 0, 300, 200);
  Image canvas(300, 200);
  Tool_Spr::DrawSprite(canvas, header, SolidFrame(300, 200, 1), view, 0, 0, false);
  EXPECT_EQ(Image(300, 200, ToArgb(kGreen)), canvas);
}

}  // namespace
}  // namespace tessaloom
