// Where a frame lands and how large it is drawn: centring, zoom, exact floors.

#include <gtest/gtest.h>

#include <cstdint>

#include "core/render/view_settings.h"
#include "core/render/canvas_drawing.h"
#include "support/frame_builder.h"

namespace tessaloom {
namespace {

constexpr Color kBlack = MakeColor(0, 0, 0);
constexpr Color kWhite = MakeColor(255, 255, 255);

ViewSettings ViewOf(int zoomStep, int clientWidth, int clientHeight) {
  ViewSettings view;
  view.ZoomStep = zoomStep;
  view.ClientWidth = clientWidth;
  view.ClientHeight = clientHeight;
  return view;
}

// Where a solid frame shows up on a canvas the size of the client area.
PixelRect DrawnBounds(int frameWidth, int frameHeight, const ViewSettings& view) {
  SprHeader header;
  header.Palette = PaletteOf({kBlack, kWhite});
  Image canvas(view.ClientWidth, view.ClientHeight);
  Tool_Spr::DrawSprite(canvas, header, SolidFrame(frameWidth, frameHeight, 1), view, 0, 0, false);
  return BoundsOfPixelsOtherThan(canvas, ToArgb(kCanvasColor));
}

TEST(RenderPlacement, CentresTwentyPixelsAboveTheMiddleOfTheClientArea) {
  EXPECT_EQ(PixelRect(270, 195, 100, 50), DrawnBounds(100, 50, ViewOf(3, 640, 480)));
  EXPECT_EQ(PixelRect(220, 170, 200, 100), DrawnBounds(100, 50, ViewOf(6, 640, 480)));

  // The client area, not the canvas, is what the frame is centred on.
  SprHeader header;
  header.Palette = PaletteOf({kBlack, kWhite});
  Image wide(1000, 600);
  Tool_Spr::DrawSprite(wide, header, SolidFrame(100, 50, 1), ViewOf(3, 640, 480), 0, 0, false);
  EXPECT_EQ(PixelRect(270, 195, 100, 50), BoundsOfPixelsOtherThan(wide, ToArgb(kCanvasColor)));
}

TEST(RenderPlacement, ScaledSizeIsTheNearestInteger) {
  EXPECT_EQ(PixelRect(81, 61, 37, 37), DrawnBounds(10, 10, ViewOf(11, 200, 200)));
  EXPECT_EQ(4, DrawnBounds(3, 3, ViewOf(4, 50, 50)).Width);
  // 5/3 of 2 is 3.33 and 5/3 of 7 is 11.67.
  const FramePlacement placed = PlaceFrame(2, 7, ViewOf(5, 50, 50), 0, 0);
  EXPECT_EQ(3, placed.Width);
  EXPECT_EQ(12, placed.Height);
  // A zoom step outside the range takes the nearest step.
  EXPECT_EQ(10, PlaceFrame(10, 10, ViewOf(0, 640, 480), 0, 0).Width);
  EXPECT_EQ(37, PlaceFrame(10, 10, ViewOf(40, 640, 480), 0, 0).Width);
}

// Offsets added after the floor are checked with the layers of a clip.
TEST(RenderPlacement, FloorsTheExactValueNotARoundedOne) {
  // 63/2 - (7/3)(27/2) is exactly 0, which floating point computes a hair below 0.
  const FramePlacement exact = PlaceFrame(27, 27, ViewOf(7, 63, 103), 0, 0);
  EXPECT_EQ(0, exact.X);
  EXPECT_EQ(0, exact.Y);
  // Halves floor towards minus infinity, also when negative.
  const FramePlacement half = PlaceFrame(3, 3, ViewOf(3, 641, 0), 0, 0);
  EXPECT_EQ(319, half.X);  // 320.5 - 1.5
  EXPECT_EQ(-22, half.Y);  // 0 - 1.5 - 20
  const FramePlacement negative = PlaceFrame(27, 27, ViewOf(7, 1, 41), 0, 0);
  EXPECT_EQ(-31, negative.X);
  EXPECT_EQ(-31, negative.Y);
}

TEST(RenderPlacement, NearestPixelMapping) {
  // 3x3 at step 4 becomes 4x4: canvas column i shows frame column floor(3i/4) = 0,0,1,2.
  SprHeader header;
  header.Palette = PaletteOf({kBlack, MakeColor(10, 0, 0), MakeColor(20, 0, 0), MakeColor(30, 0, 0),
                              MakeColor(40, 0, 0), MakeColor(50, 0, 0), MakeColor(60, 0, 0),
                              MakeColor(70, 0, 0), MakeColor(80, 0, 0), MakeColor(90, 0, 0)});
  const SprFrame frame = FrameFromRows({{1, 2, 3}, {4, 5, 6}, {7, 8, 9}});
  const ViewSettings view = ViewOf(4, 4, 44);  // places the frame at (0, 0)
  Image canvas(4, 4);
  Tool_Spr::DrawSprite(canvas, header, frame, view, 0, 0, false);
  const int expected[4][4] = {{1, 1, 2, 3}, {1, 1, 2, 3}, {4, 4, 5, 6}, {7, 7, 8, 9}};
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) {
      EXPECT_EQ(ToArgb(MakeColor(static_cast<std::uint8_t>(10 * expected[y][x]), 0, 0)), canvas.At(x, y)) << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace tessaloom
