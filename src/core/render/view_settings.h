#pragma once
// What the view adds to the document when a frame or a clip is drawn (zoom,
// transparency, the canvas background and the area the drawing is centred on), and
// where a frame lands on the canvas: centred on the client area, 20 pixels above its
// middle, scaled by ZoomStep / 3 and shifted by offsets in canvas pixels.

#include "core/common/image.h"
#include "core/sprite/palette.h"

namespace tessaloom {

inline constexpr Color kCanvasColor = MakeColor(32, 89, 146);
inline constexpr int kMinZoomStep = 3;   // scale 1:1
inline constexpr int kMaxZoomStep = 11;  // scale 11:3
inline constexpr int kCheckerSquare = 8;
inline constexpr Color kCheckerLight = MakeColor(204, 204, 204);
inline constexpr Color kCheckerDark = MakeColor(153, 153, 153);

struct ViewSettings {
  int ZoomStep = kMinZoomStep;  // the drawing scale is ZoomStep / 3
  bool Transparent = true;      // leave out pixels whose colour equals palette entry 0's colour
  Color Background = kCanvasColor;
  bool Checkerboard = false;  // the background a checkerboard of kCheckerSquare-pixel squares instead
  const Image* BackgroundPicture = nullptr;  // drawn unscaled at the top-left on every clear
  int ClientWidth = 0;  // the area the frame is centred on, which need not be the canvas
  int ClientHeight = 0;
  // The palette entry shown with red and blue exchanged, so that its pixels stand
  // out; -1 for none. Only the drawing sees it: the palette keeps its true colours.
  int HighlightIndex = -1;
};

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
