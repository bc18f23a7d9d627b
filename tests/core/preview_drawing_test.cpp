// The game's drawing (Preview Mode): frames centred at an integer scale, and the
// layers of a clip placed, scaled, mirrored, turned, tinted and blended.

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <numbers>

#include "core/generators.h"
#include "core/render/preview_drawing.h"

namespace tessaloom {
namespace {

using Preview::ClipPlacement;

constexpr Argb kBackground = ToArgb(kCanvasColor);

rc::Gen<SprRgbaFrame> RgbaFrame() {
  return rc::gen::exec([] {
    SprRgbaFrame frame{.Width = *rc::gen::inRange<std::int16_t>(1, 5), .Height = *rc::gen::inRange<std::int16_t>(1, 5)};
    const auto alpha = rc::gen::weightedElement<Argb>({{2, 0}, {2, 255}, {1, 128}, {1, 1}, {1, 254}});
    for (int i = 0; i < frame.Width * frame.Height; ++i) frame.Pixels.push_back(*alpha << 24 | (*rc::gen::arbitrary<Argb>() >> 8));
    return frame;
  });
}

// Straight-alpha "source over", rounded to nearest; over an opaque pixel it stays opaque.
Argb Blend(Argb below, Argb pixel) {
  const double a = pixel >> 24, b = below >> 24;
  const double sourceWeight = a * 255, belowWeight = b * (255 - a);  // in units of 1/255^2
  if (a == 0) return below;
  Argb out = static_cast<Argb>(std::lround((sourceWeight + belowWeight) / 255)) << 24;
  for (const int shift : {16, 8, 0}) {
    const double source = (pixel >> shift) & 0xFF, under = (below >> shift) & 0xFF;
    out |= static_cast<Argb>(std::lround((source * sourceWeight + under * belowWeight) / (sourceWeight + belowWeight)))
           << shift;
  }
  return out;
}

Argb ImagePixel(const SprDocument& sprite, const ActLayer& layer, int column, int row, bool transparent) {
  if (layer.SpriteType == 1) {
    const SprRgbaFrame& frame = sprite.RgbaFrames[layer.SpriteIndex];
    return frame.Pixels[static_cast<std::size_t>(row * frame.Width + column)];
  }
  const SprFrame& frame = sprite.Frames[layer.SpriteIndex];
  const auto at = static_cast<std::size_t>((frame.Height - 1 - row) * RowStride(frame.Width) + column);
  const std::uint8_t index = at < frame.Pixels.size() ? frame.Pixels[at] : frame.Pixels.back();
  return index == 0 && transparent ? 0 : ToArgb(Tool_Spr::PaletteColor(sprite.Header.Palette, index));
}

Argb Tinted(Argb pixel, const ActLayer& layer) {
  Argb out = 0;
  for (const auto& [shift, factor] : {std::pair{24, layer.Alpha}, {16, layer.Red}, {8, layer.Green}, {0, layer.Blue}}) {
    out |= static_cast<Argb>(std::lround(((pixel >> shift) & 0xFF) * factor / 255.0)) << shift;
  }
  return out;
}

// One layer by the rule, pixel by pixel. For an angle other than a quarter turn,
// pixels whose image coordinate lies within rounding distance of an edge are marked
// `unsure`: either side is right.
void ReferenceLayer(Image& canvas, std::vector<bool>& unsure, const SprDocument& sprite, const ActLayer& layer,
                    bool transformed, const ClipPlacement& at) {
  const int indexed = static_cast<int>(sprite.Frames.size()), first = layer.SpriteType == 1 ? indexed : 0;
  if (layer.SpriteIndex < 0 || layer.SpriteIndex >= (first == 0 ? indexed : Preview::FrameCount(sprite) - indexed)) return;
  const auto [width, height] = Preview::SizeOfFrame(sprite, first + layer.SpriteIndex + 1);
  const double scaleX = transformed ? ScaleValue(layer.ScaleX) : 1, scaleY = transformed ? ScaleValue(layer.ScaleY) : 1;
  if (!std::isfinite(scaleX) || !std::isfinite(scaleY) || scaleX == 0 || scaleY == 0) return;
  const int degrees = transformed ? layer.Rotation % 360 : 0;
  const bool quarter = degrees % 90 == 0;  // whose sine and cosine are exact
  const double radians = degrees * std::numbers::pi / 180;
  const double cos = quarter ? std::round(std::cos(radians)) : std::cos(radians);
  const double sin = quarter ? std::round(std::sin(radians)) : std::sin(radians);
  const double centerX = at.OriginX + at.Scale * layer.PosX, centerY = at.OriginY + at.Scale * layer.PosY;
  const auto nearEdge = [&](double coordinate) { return !quarter && std::abs(coordinate - std::round(coordinate)) < 1e-6; };
  for (int y = 0; y < canvas.Height; ++y) {
    for (int x = 0; x < canvas.Width; ++x) {
      const double dx = x + 0.5 - centerX, dy = y + 0.5 - centerY;
      double u = (cos * dx + sin * dy) / at.Scale, v = (-sin * dx + cos * dy) / at.Scale;
      u /= scaleX;
      v /= scaleY;
      if (layer.Direction != 0) u = -u;
      const double column = std::floor(u + width / 2.0), row = std::floor(v + height / 2.0);
      if (nearEdge(u + width / 2.0) || nearEdge(v + height / 2.0)) unsure[y * canvas.Width + x] = true;
      if (column < 0 || column >= width || row < 0 || row >= height) continue;
      Argb pixel = ImagePixel(sprite, layer, static_cast<int>(column), static_cast<int>(row), at.Transparent);
      if (transformed) pixel = Tinted(pixel, layer);
      canvas.At(x, y) = Blend(canvas.At(x, y), pixel);
    }
  }
}

std::int32_t ScaleBits(float scale) { return std::bit_cast<std::int32_t>(scale); }

rc::Gen<ActLayer> Layer() {
  return rc::gen::exec([] {
    const auto tint = rc::gen::weightedOneOf<std::uint8_t>({{2, rc::gen::just<std::uint8_t>(255)}, {1, rc::gen::arbitrary<std::uint8_t>()}});
    const auto scale = rc::gen::element(1.0f, 1.0f, 2.0f, 0.5f, -1.0f, 1.5f, 0.75f, 3.0f, -0.625f, 0.0f, NAN, INFINITY);
    return ActLayer{.SpriteIndex = *rc::gen::inRange<std::int16_t>(-1, 3), .Direction = *rc::gen::element(0, 0, 1, -7),
                    .Red = *tint, .Green = *tint, .Blue = *tint, .Alpha = *tint,
                    .PosX = *rc::gen::inRange<std::int16_t>(-4, 5), .PosY = *rc::gen::inRange<std::int16_t>(-4, 5),
                    .ScaleX = ScaleBits(*scale), .ScaleY = ScaleBits(*scale),
                    .Rotation = *rc::gen::weightedOneOf<int>({{3, rc::gen::element(0, 90, 180, 270, -90, 450)}, {1, rc::gen::element(45, -45, 30)}, {1, rc::gen::arbitrary<int>()}}),
                    .SpriteType = *rc::gen::element(0, 1, 1, 5)};
  });
}

// Offsets scaled with the canvas, mirror, scale, turns, tint and blending, each
// against the rule, on opaque and transparent canvases; the fields of files before
// 2.0 are ignored, and layers without a frame or with a scale of 0 draw nothing.
RC_GTEST_PROP(PreviewClip, DrawsEveryLayerByTheRule, ()) {
  SprDocument sprite = SpriteOf({FrameFromRows(*gen::Rows(5, 4, 3)), FrameFromRows(*gen::Rows(5, 4, 3))});
  sprite.Frames[1].Pixels.resize(*rc::gen::inRange<std::size_t>(1, sprite.Frames[1].Pixels.size() + 1));
  sprite.RgbaFrames = *rc::gen::container<std::vector<SprRgbaFrame>>(2, RgbaFrame());
  const auto layers = *rc::gen::container<std::vector<ActLayer>>(*rc::gen::inRange(0, 4), Layer());
  const std::uint16_t version = *rc::gen::element<std::uint16_t>(0x0105, 0x0200, 0x0205);
  const ClipPlacement at{.OriginX = *rc::gen::inRange(0, 20), .OriginY = *rc::gen::inRange(0, 20),
                         .Scale = *rc::gen::inRange(1, 6), .Transparent = *rc::gen::arbitrary<bool>()};
  const Argb alphaMask = *rc::gen::element(0xFF000000u, 0x81000000u, 0u);
  Image canvas(20, 20);
  for (Argb& pixel : canvas.Pixels) pixel = *rc::gen::arbitrary<Argb>() | alphaMask;
  Image expected = canvas;
  std::vector<bool> unsure(canvas.Pixels.size());
  for (const ActLayer& layer : layers) ReferenceLayer(expected, unsure, sprite, layer, version >= 0x0200, at);
  Preview::ComposeClip(canvas, sprite, ActClip{.Layers = layers}, version, at);
  for (std::size_t i = 0; i < unsure.size(); ++i) {
    if (!unsure[i]) RC_ASSERT(canvas.Pixels[i] == expected.Pixels[i]);
  }
}

// Sprite mode: the indexed frames then the 32-bit ones, each a block of s x s pixels
// per image pixel from the floor of the centred position, index 0 left out.
RC_GTEST_PROP(PreviewFrame, IsCentredInWholeSquares, (bool transparent)) {
  SprDocument sprite = SpriteOf({FrameFromRows(*gen::Rows(5, 4, 3))});
  sprite.RgbaFrames = {*RgbaFrame()};
  const int frameNumber = *rc::gen::inRange(1, 3);
  const ActLayer layer{.SpriteIndex = 0, .SpriteType = frameNumber - 1};
  const auto [width, height] = Preview::SizeOfFrame(sprite, frameNumber);
  const ViewSettings view{.ZoomStep = *rc::gen::inRange(2, 8), .Transparent = transparent};
  const int scale = std::max(view.ZoomStep, kMinZoomStep) - 2;
  Image canvas(*rc::gen::inRange(1, 14), *rc::gen::inRange(1, 14), 0);
  Image expected(canvas.Width, canvas.Height, kBackground);
  const int left = static_cast<int>(std::floor((canvas.Width - scale * width) / 2.0));
  const int top = static_cast<int>(std::floor((canvas.Height - scale * height) / 2.0));
  for (int y = std::max(top, 0); y < std::min(top + scale * height, canvas.Height); ++y) {
    for (int x = std::max(left, 0); x < std::min(left + scale * width, canvas.Width); ++x) {
      expected.At(x, y) = Blend(kBackground, ImagePixel(sprite, layer, (x - left) / scale, (y - top) / scale, transparent));
    }
  }
  Preview::DrawFrame(canvas, sprite, frameNumber, view);
  RC_ASSERT(canvas == expected);
}

TEST(PreviewClip, TurnsClockwiseMirrorsAndTints) {
  SprDocument sprite = SpriteOf({FrameFromRows({{1, 2}, {3, 4}})});
  sprite.Header.Palette = PaletteOf({0, MakeColor(1, 1, 1), MakeColor(2, 2, 2), MakeColor(3, 3, 3), MakeColor(200, 100, 50)});
  const Argb a = 0xFF010101u, b = 0xFF020202u, c = 0xFF030303u, d = 0xFFC86432u, o = 0xFF000000u;
  const auto draw = [&](ActLayer layer) {
    layer.ScaleX = layer.ScaleY = ScaleBits(1);
    Image canvas(4, 4);
    Preview::ComposeClip(canvas, sprite, ActClip{.Layers = {layer}}, 0x0205, {.OriginX = 2, .OriginY = 2});
    return canvas;
  };
  // The top row runs down the right edge.
  EXPECT_EQ(draw({.Red = 255, .Green = 255, .Blue = 255, .Alpha = 255, .Rotation = 90}).Pixels,
            (std::vector{o, o, o, o, o, c, a, o, o, d, b, o, o, o, o, o}));
  EXPECT_EQ(draw({.Direction = 1, .Red = 255, .Green = 255, .Blue = 255, .Alpha = 255}).Pixels,
            (std::vector{o, o, o, o, o, b, a, o, o, d, c, o, o, o, o, o}));
  // (200, 100, 50) tinted by (128, 255, 0) is (100, 100, 0); at alpha 128 over black it
  // is 100 * 128 / 255 = 50.2, rounded to 50.
  EXPECT_EQ(draw({.Red = 128, .Green = 255, .Blue = 0, .Alpha = 128}).At(2, 2), 0xFF323200u);
}

// The edges of an odd-width image fall exactly on pixel centres: rounding must not
// move them.
TEST(PreviewClip, ShowsEveryImagePixelOfAnOddWidthImageAsWideAsTheScale) {
  const SprDocument sprite = SpriteOf({FrameFromRows({{1, 2, 3, 4, 5, 6, 7}})});
  for (const int scale : {3, 5, 6, 7, 9}) {
    Image canvas(80, 1, 0);
    Preview::ComposeClip(canvas, sprite, ActClip{.Layers = {ActLayer{}}}, 0x0100, {.OriginX = 37, .Scale = scale});
    for (std::uint8_t index = 1; index <= 7; ++index) {
      EXPECT_EQ(std::ranges::count(canvas.Pixels, ToArgb(Tool_Spr::PaletteColor(sprite.Header.Palette, index))), scale);
    }
  }
}

TEST(PreviewClip, IsDrawnAboutTheCanvasCentreAtTheZoomScale) {
  const SprDocument sprite = SpriteOf({SolidFrame(1, 1, 7)});
  const ActData act{.ActionCount = 1, .Actions = {{.ClipCount = 1, .Clips = {{.LayerCount = 1, .Layers = {{.PosX = 1}}}}}}};
  Image canvas(7, 5, 0);
  ASSERT_TRUE(Preview::DrawClip(canvas, sprite, &act, 0, 0, {.ZoomStep = 4}).has_value());
  // The centre (3, 2) moves by s * PosX = 2; the 1 x 1 image covers 2 x 2 pixels about it.
  EXPECT_EQ(BoundsOfPixelsOtherThan(canvas, kBackground), (PixelRect{4, 1, 2, 2}));
}

}  // namespace
}  // namespace tessaloom
