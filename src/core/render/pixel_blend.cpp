#include "core/render/pixel_blend.h"

#include <algorithm>

namespace tessaloom::Preview {
namespace {

enum class Coverage { Transparent, Partial, Opaque };

Coverage CoverageOf(Argb pixel) {
  const Argb alpha = pixel >> 24;
  return alpha == 0 ? Coverage::Transparent : alpha == 255 ? Coverage::Opaque : Coverage::Partial;
}

}  // namespace

void BlendLine::FindRuns() {
  m_runs.clear();
  for (std::size_t begin = 0, end = 0; begin < m_pixels.size(); begin = end) {
    const Coverage coverage = CoverageOf(m_pixels[begin]);
    for (end = begin + 1; end < m_pixels.size() && CoverageOf(m_pixels[end]) == coverage;) ++end;
    if (coverage != Coverage::Transparent) m_runs.push_back({begin, end, coverage == Coverage::Opaque});
  }
}

void BlendLine::LayOver(Argb* canvasRow) const {
  for (const Run& run : m_runs) {
    if (run.Opaque) {
      std::copy(m_pixels.begin() + static_cast<std::ptrdiff_t>(run.Begin),
                m_pixels.begin() + static_cast<std::ptrdiff_t>(run.End), canvasRow + run.Begin);
    } else {
      for (std::size_t i = run.Begin; i < run.End; ++i) BlendOver(canvasRow[i], m_pixels[i]);
    }
  }
}

}  // namespace tessaloom::Preview
