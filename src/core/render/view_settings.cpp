#include "core/render/view_settings.h"

#include <algorithm>
#include <cstdint>

namespace tessaloom {
namespace {

// Rounds towards minus infinity, where integer division would round towards zero.
std::int64_t FloorDivide(std::int64_t numerator, std::int64_t denominator) {
  const std::int64_t quotient = numerator / denominator;
  return (numerator % denominator != 0 && numerator < 0) ? quotient - 1 : quotient;
}

// The integer nearest to zoomStep * length / 3, halves rounded up.
int ScaledLength(int length, int zoomStep) {
  return static_cast<int>(FloorDivide(2 * std::int64_t{zoomStep} * length + 3, 6));
}

}  // namespace

FramePlacement PlaceFrame(int frameWidth, int frameHeight, const ViewSettings& view, int offsetX,
                          int offsetY) {
  const std::int64_t zoomStep = std::clamp(view.ZoomStep, kMinZoomStep, kMaxZoomStep);
  // Everything over the common denominator 6, so the floor sees the exact value:
  // Cw/2 - (Z/3)(W/2) = (3 Cw - Z W) / 6, and the 20-pixel lift is 120 / 6.
  const std::int64_t left =
      FloorDivide(3 * std::int64_t{view.ClientWidth} - zoomStep * frameWidth, 6);
  const std::int64_t top =
      FloorDivide(3 * std::int64_t{view.ClientHeight} - zoomStep * frameHeight - 120, 6);
  return FramePlacement{
      .X = static_cast<int>(left + offsetX),
      .Y = static_cast<int>(top + offsetY),
      .Width = ScaledLength(frameWidth, static_cast<int>(zoomStep)),
      .Height = ScaledLength(frameHeight, static_cast<int>(zoomStep)),
  };
}

}  // namespace tessaloom
