#pragma once
// The frames every benchmark works on: a figure on an empty background, as game
// sprites are, so that run lengths, LZW strings and transparent rows are realistic.

#include "core/sprite/spr_document.h"

namespace tessaloom::bench {

// A side x side frame: an upright shaded ellipse with some noise and a few holes,
// surrounded by index 0. `phase` moves it a little, as the frames of an animation do.
SprFrame FigureFrame(int side, int phase);

// `frames` figure frames (phases 0, 1, …) and a 256-entry palette of distinct colours.
SprDocument FigureSprite(int side, int frames);

}  // namespace tessaloom::bench
