#pragma once
// The texts the windows show for numbers: the status bar's size and position, the
// zoom indicator and the palette cells' tooltips.

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

// The zoom indicator for a step: step 3 is "1x", step 11 is "9x".
QString ZoomText(int zoomStep);

// A palette cell's tooltip: red, green and blue as signed numbers joined by commas
// (" 255, 0, 255").
QString PaletteToolTip(Color color);

}  // namespace tessaloom
