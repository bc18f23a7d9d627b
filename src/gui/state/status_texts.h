#pragma once
// The texts the windows show for numbers: the status bar's size, position and rate,
// the zoom indicator, the palette cells' tooltips and the pixel under the mouse.

#include <QString>

#include <optional>

#include "core/render/pixel_probe.h"
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

// "Pixel 3, 7: index 5, #0A141E" for an indexed frame, "Pixel 3, 7: #0A141E, alpha
// 128" for a 32-bit one; empty when the mouse is over no frame pixel.
QString PixelText(const std::optional<ProbedPixel>& pixel);

}  // namespace tessaloom
