#pragma once
// The frames every benchmark works on: a figure on an empty background, as game
// sprites are, so that run lengths, LZW strings and transparent rows are realistic.

#include "core/actions/act_data.h"
#include "core/sprite/spr_document.h"

namespace tessaloom::bench {

// A side x side frame: an upright shaded ellipse with some noise and a few holes,
// surrounded by index 0. `phase` moves it a little, as the frames of an animation do.
SprFrame FigureFrame(int side, int phase);

// `frames` figure frames (phases 0, 1, …) and a 256-entry palette of distinct colours.
SprDocument FigureSprite(int side, int frames);

// A side x side figure walking: the body of FigureFrame(side, 0) on legs and arms that
// swing with `phase`, so that frames differ only where the limbs move, as in a walk.
SprFrame WalkingFrame(int side, int phase);

// `frames` walking frames (phases 0, 1, …) and FigureSprite's palette.
SprDocument WalkingSprite(int side, int frames);

// An action of `clips` clips of `layers` layers each, drawn the game's way: layer n
// of clip c shows figure frame (c + n) mod `frames`, mirrored when n is odd, tinted,
// a third of the layers partly transparent, scaled between 0.8 and 1.6, turned by
// its own angle (every fourth by quarter turns) and spread so that the layers overlap
// in part. Version 2.5, interval 4 (100 ms).
ActData FigureAction(int clips, int layers, int frames);

}  // namespace tessaloom::bench
