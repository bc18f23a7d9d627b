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

// Canvas pixel (x, y), centre p = (x + 0.5, y + 0.5), takes image pixel
// (floor(u + W/2), floor(v + H/2)) where (u', v) = R(-Rotation) *
// (p - C) / Zoom, u' and v then divided by ScaleX and ScaleY, and u = -u' when
// mirrored. Pixels mapped outside the image take nothing, and so does every pixel when
// a scale is 0 or not finite. A pixel taken is blended over the canvas with its
// alpha: over an opaque canvas pixel each channel becomes
// (src * a + dst * (255 - a) + 127) / 255 and the pixel stays opaque; over a
// transparent one it is "source over" with straight alpha, rounded to nearest.
//
// Quarter turns are computed so that the floor is exact, which matters: with an odd
// width the image's edges fall exactly on pixel centres. Other angles step the image
// coordinates along each row, so a pixel centre within rounding distance of an
// image pixel's edge may take either side.
// `image` holds straight alpha (see LayerImage); an empty one draws nothing.
void DrawLayer(Image& canvas, const Image& image, const LayerTransform& where);

}  // namespace tessaloom::Preview
