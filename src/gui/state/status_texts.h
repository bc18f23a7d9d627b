#pragma once
// The texts the windows show for numbers: the status bar's size, position and rate,
// the zoom indicator and the palette cells' tooltips.

#include <QString>

#include "core/sprite/palette.h"

namespace tessaloom {

// A number as the status texts write it: a blank in the sign position when it is not
// negative (" 12", "-3").
QString SignedText(int value);

// "Size: 40 x 60".
QString SizeText(int width, int height);

// The position after a load: the current frame zero-filled to as many digits as the
// total has, a slash and the signed total ("Frame : 01/ 12", "Frame : 1/ 7").
QString LoadedPositionText(int current, int total);

// The playing rate of a tick interval, frames per second rounded to nearest, right
// aligned after "FPS:" ("FPS:   8" for 125 ms, "FPS:  10" for 100 ms).
QString FpsText(int tickMs);

// The zoom indicator for a step: step 3 is "1x", step 11 is "9x".
QString ZoomText(int zoomStep);

// A palette cell's tooltip: red, green and blue as signed numbers joined by commas
// (" 255, 0, 255").
QString PaletteToolTip(Color color);

}  // namespace tessaloom
