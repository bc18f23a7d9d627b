#pragma once
// What the view adds to the document when a frame or a clip is drawn: zoom,
// transparency, the canvas background and the area the drawing is centred on.

#include "core/common/image.h"
#include "core/sprite/palette.h"

namespace tessaloom {

inline constexpr Color kCanvasColor = MakeColor(32, 89, 146);
inline constexpr int kMinZoomStep = 3;   // scale 1:1
inline constexpr int kMaxZoomStep = 11;  // scale 11:3

struct ViewSettings {
  int ZoomStep = kMinZoomStep;  // the drawing scale is ZoomStep / 3
  bool Transparent = true;      // leave out pixels whose colour equals palette entry 0's colour
  Color Background = kCanvasColor;
  const Image* BackgroundPicture = nullptr;  // drawn unscaled at the top-left on every clear
  int ClientWidth = 0;  // the area the frame is centred on, which need not be the canvas
  int ClientHeight = 0;
  // The palette entry shown with red and blue exchanged, so that its pixels stand
  // out; -1 for none. Only the drawing sees it: the palette keeps its true colours.
  int HighlightIndex = -1;
};

}  // namespace tessaloom
