#pragma once
// Where a frame lands on the canvas: centred on the client area, 20 pixels above
// its middle, scaled by ZoomStep / 3 and shifted by offsets in canvas pixels.

#include "core/render/view_settings.h"

namespace tessaloom {

struct FramePlacement {
  int X = 0;  // canvas position of the scaled frame's top-left corner
  int Y = 0;
  int Width = 0;  // size of the scaled frame in canvas pixels
  int Height = 0;
};

// X = floor(Cw/2 - s*W/2) + offsetX and Y = floor(Ch/2 - s*H/2 - 20) + offsetY with
// s = ZoomStep / 3, computed exactly; the size is s*W by s*H rounded half up. A zoom
// step outside 3..11 is taken as the nearest step inside.
FramePlacement PlaceFrame(int frameWidth, int frameHeight, const ViewSettings& view, int offsetX,
                          int offsetY);

}  // namespace tessaloom
