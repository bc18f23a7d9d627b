// The highlighted palette entry: drawn with red and blue exchanged, as if the palette
// held it so, while the palette itself keeps its true colours.

#include <gtest/gtest.h>

#include "core/render/painter.h"
#include "core/render/canvas_drawing.h"
#include "support/frame_builder.h"

namespace tessaloom {
namespace {

constexpr Color kMagenta = MakeColor(255, 0, 255);
constexpr Color kOrange = MakeColor(250, 120, 0);
constexpr Color kSky = MakeColor(0, 120, 250);  // orange with red and blue exchanged
constexpr Color kGrey = MakeColor(90, 90, 90);

TEST(RenderHighlight, OnlyTheHighlightedEntryHasRedAndBlueExchanged) {
  const std::vector<std::uint8_t> palette = PaletteOf({kMagenta, kOrange, kGrey, kOrange});

  const Painter::ColorTable plain = Painter::MakeColorTable(palette, false);
  const Painter::ColorTable highlighted = Painter::MakeColorTable(palette, false, 1);
  EXPECT_EQ(highlighted[1], ToArgb(kSky));
  EXPECT_EQ(highlighted[3], ToArgb(kOrange)) << "another entry of the same colour stays as it is";
  EXPECT_EQ(highlighted[2], ToArgb(kGrey));
  EXPECT_EQ(Painter::MakeColorTable(palette, false, 2)[2], ToArgb(kGrey)) << "equal red and blue show no change";

  // No highlight, or an index outside the palette's 256 entries, changes nothing.
  for (const int none : {-1, 256, 1000}) EXPECT_EQ(Painter::MakeColorTable(palette, false, none), plain) << none;
}

TEST(RenderHighlight, TheKeyColourIsTakenFromTheShownColours) {
  // Entry 1 shows entry 0's colour once exchanged: it is then left out as well.
  const std::vector<std::uint8_t> palette = PaletteOf({kSky, kOrange, kSky});
  EXPECT_EQ(Painter::MakeColorTable(palette, true)[1], ToArgb(kOrange));
  EXPECT_EQ(Painter::MakeColorTable(palette, true, 1)[1], Painter::kKeptOut);

  // Highlighting entry 0 moves the key: entry 2 (the true colour of entry 0) is drawn,
  // entry 1 (the exchanged one) is left out with entry 0.
  const Painter::ColorTable keyed = Painter::MakeColorTable(palette, true, 0);
  EXPECT_EQ(keyed[0], Painter::kKeptOut);
  EXPECT_EQ(keyed[1], Painter::kKeptOut);
  EXPECT_EQ(keyed[2], ToArgb(kSky));
}

TEST(RenderHighlight, DrawingShowsTheHighlightAndLeavesThePaletteAlone) {
  SprDocument sprite;
  sprite.Header.Palette = PaletteOf({kMagenta, kOrange, kGrey});
  sprite.Frames.push_back(FrameFromRows({{1, 2, 1}}));
  sprite.Header.FrameCount = 1;
  const SprDocument before = sprite;
  ViewSettings view;
  view.ClientWidth = 3;
  view.ClientHeight = 41;  // places the 3 x 1 frame at (0, 0)
  view.HighlightIndex = 1;
  Image canvas(3, 1);

  DrawSpriteFrame(canvas, sprite, 1, view);
  EXPECT_EQ(canvas.Pixels, (std::vector<Argb>{ToArgb(kSky), ToArgb(kGrey), ToArgb(kSky)}));
  EXPECT_EQ(sprite, before);

  view.HighlightIndex = -1;
  DrawSpriteFrame(canvas, sprite, 1, view);
  EXPECT_EQ(canvas.Pixels, (std::vector<Argb>{ToArgb(kOrange), ToArgb(kGrey), ToArgb(kOrange)}));
}

}  // namespace
}  // namespace tessaloom
