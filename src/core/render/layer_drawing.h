#pragma once
// One layer of the game's drawing: an image placed by its centre, zoomed, scaled,
// mirrored and turned, blended over the canvas with its alpha.

#include "core/common/image.h"

namespace tessaloom::Preview {

struct LayerTransform {
  double CenterX = 0;  // the canvas point the image's centre goes to
  double CenterY = 0;
  int Zoom = 1;        // the canvas's integer scale
  double ScaleX = 1;   // the layer's own scale, on top of the zoom
  double ScaleY = 1;
  int Rotation = 0;    // degrees, clockwise on screen (y grows downwards)
  bool Mirrored = false;  // left-right, before the turn
};

// Lays `image` (straight alpha, see LayerImage) over the canvas. Canvas pixel (x, y),
// centre p = (x + 0.5, y + 0.5), takes image pixel (floor(u + W/2), floor(v + H/2))
// where (u', v) = R(-Rotation) * (p - C) / Zoom, u' and v then divided by ScaleX and
// ScaleY, and u = -u' when mirrored; it is laid over the canvas pixel with BlendOver.
// Pixels mapped outside the image take nothing; an empty image, or a scale of 0 or
// one not finite, draws nothing.
//
// Quarter turns are computed so that the floor is exact, which matters: with an odd
// width the image's edges fall exactly on pixel centres. Other angles step the image
// coordinates along each row, so a pixel centre within rounding distance (far below
// a millionth of a pixel) of an image pixel's edge may take either side.
void DrawLayer(Image& canvas, const Image& image, const LayerTransform& where);

}  // namespace tessaloom::Preview
