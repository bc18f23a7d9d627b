#pragma once
// Laying pixels with straight alpha over the canvas, one by one or a line at a time.
// Over an opaque canvas pixel each channel becomes (src * a + dst * (255 - a) + 127)
// / 255 and the pixel stays opaque; over a transparent one it is "source over" with
// straight alpha, rounded to nearest.

#include <cstddef>
#include <span>
#include <vector>

#include "core/common/image.h"

namespace tessaloom::Preview {

inline Argb OverOpaque(Argb canvas, Argb pixel, Argb alpha) {
  const auto channel = [&](int shift) {
    const Argb source = (pixel >> shift) & 0xFFu, below = (canvas >> shift) & 0xFFu;
    return ((source * alpha + below * (255 - alpha) + 127) / 255) << shift;
  };
  return 0xFF000000u | channel(16) | channel(8) | channel(0);
}

// The colours weighted by what each contributes, in units of 1/255 of a unit of alpha.
inline Argb OverTransparent(Argb canvas, Argb pixel, Argb alpha) {
  const Argb sourceWeight = alpha * 255, belowWeight = (canvas >> 24) * (255 - alpha);
  const Argb total = sourceWeight + belowWeight;
  const auto channel = [&](int shift) {
    const Argb source = (pixel >> shift) & 0xFFu, below = (canvas >> shift) & 0xFFu;
    return ((source * sourceWeight + below * belowWeight + total / 2) / total) << shift;
  };
  return ((total + 127) / 255) << 24 | channel(16) | channel(8) | channel(0);
}

inline void BlendOver(Argb& canvas, Argb pixel) {
  const Argb alpha = pixel >> 24;
  if (alpha == 255) {
    canvas = pixel;
  } else if (alpha != 0) {
    canvas = (canvas >> 24) == 255 ? OverOpaque(canvas, pixel, alpha) : OverTransparent(canvas, pixel, alpha);
  }
}

// A line of pixels prepared for laying over several canvas rows: its stretches that
// are opaque throughout are copied, the fully transparent ones skipped, and only the
// rest blended pixel by pixel.
class BlendLine {
 public:
  explicit BlendLine(std::size_t length) : m_pixels(length) {}

  std::span<Argb> Pixels() { return m_pixels; }
  // Call after changing Pixels(), before the next LayOver.
  void FindRuns();
  void LayOver(Argb* canvasRow) const;

 private:
  struct Run {
    std::size_t Begin;
    std::size_t End;
    bool Opaque;
  };

  std::vector<Argb> m_pixels;
  std::vector<Run> m_runs;
};

}  // namespace tessaloom::Preview
