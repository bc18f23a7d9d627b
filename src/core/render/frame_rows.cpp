#include "core/render/frame_rows.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace tessaloom::Painter {
namespace {

int ClampTo(long long value, int limit) {
  return static_cast<int>(std::clamp<long long>(value, 0, limit));
}

std::ptrdiff_t Offset(std::size_t column) { return static_cast<std::ptrdiff_t>(column); }

}  // namespace

FrameRows::FrameRows(const FrameDraw& draw, const ColorTable& colors, const Image& canvas)
    : m_frame(*draw.Frame), m_colors(colors), m_target(draw.Target) {
  if (m_frame.Width <= 0 || m_frame.Height <= 0 || m_frame.Pixels.empty()) return;
  if (m_target.Width <= 0 || m_target.Height <= 0) return;
  m_left = ClampTo(m_target.X, canvas.Width);
  m_right = ClampTo(static_cast<long long>(m_target.X) + m_target.Width, canvas.Width);
  m_top = ClampTo(m_target.Y, canvas.Height);
  m_bottom = ClampTo(static_cast<long long>(m_target.Y) + m_target.Height, canvas.Height);
  if (IsVisible()) MapColumns();
}

// Canvas column X + i shows frame column floor(i * W / Wd), so frame column x covers
// the canvas columns from ceil(x * Wd / W) up to where column x + 1 starts. Mapping
// whole columns once keeps divisions out of the per-pixel work.
void FrameRows::MapColumns() {
  const long long width = m_frame.Width;
  const long long hidden = m_left - static_cast<long long>(m_target.X);  // left of the canvas
  const long long shown = m_right - m_left;
  const long long first = hidden * width / m_target.Width;
  const long long last = (hidden + shown - 1) * width / m_target.Width;
  m_firstColumn = static_cast<int>(first);
  m_starts.reserve(static_cast<std::size_t>(last - first + 2));
  for (long long x = first; x <= last + 1; ++x) {
    const long long start = (x * m_target.Width + width - 1) / width - hidden;
    m_starts.push_back(static_cast<std::size_t>(std::clamp(start, 0LL, shown)));
    if (m_starts.size() > 1) m_widest = std::max(m_widest, m_starts.back() - m_starts.end()[-2]);
  }
  m_imageColors.resize(m_starts.size() - 1);
  m_pixels.resize(static_cast<std::size_t>(shown) + m_widest);
}

void FrameRows::DrawRow(int y, Argb* canvasRow) {
  const long long j = static_cast<long long>(y) - m_target.Y;
  const int imageRow = static_cast<int>(j * m_frame.Height / m_target.Height);
  // A zoomed image row covers several canvas rows: it is scaled once for all of them.
  if (imageRow != m_builtRow) BuildImageRow(imageRow);
  canvasRow += m_left;
  for (const Run& run : m_runs) {
    std::copy(m_pixels.begin() + Offset(run.Begin), m_pixels.begin() + Offset(run.End),
              canvasRow + run.Begin);
  }
}

// Three plain passes rather than one that does everything: each runs at full speed.
void FrameRows::BuildImageRow(int imageRow) {
  const bool anyKeptOut = ReadImageRow(imageRow);
  ScaleImageRow();
  FindRuns(anyKeptOut);
  m_builtRow = imageRow;
}

// Image row 0 is the top row, stored last. Exactly the visible columns are read,
// never the row's padding; positions past the end of malformed pixel data read the
// last byte. Returns whether any of the colours is kept out.
bool FrameRows::ReadImageRow(int imageRow) {
  const std::size_t rowStart =
      static_cast<std::size_t>(m_frame.Height - 1 - imageRow) * RowStride(m_frame.Width) +
      static_cast<std::size_t>(m_firstColumn);
  const std::size_t size = m_frame.Pixels.size();
  const std::size_t stored = rowStart < size ? std::min(m_imageColors.size(), size - rowStart) : 0;
  const std::uint8_t* pixels = m_frame.Pixels.data() + (stored > 0 ? rowStart : 0);
  bool anyKeptOut = false;
  for (std::size_t x = 0; x < stored; ++x) {
    m_imageColors[x] = m_colors[pixels[x]];
    anyKeptOut |= m_imageColors[x] == kKeptOut;
  }
  const Argb lastColor = m_colors[m_frame.Pixels.back()];
  std::fill(m_imageColors.begin() + Offset(stored), m_imageColors.end(), lastColor);
  return anyKeptOut || (stored < m_imageColors.size() && lastColor == kKeptOut);
}

// Always the widest column's length, which needs no per-column count: what spills
// over is overwritten by the next column, or lies past the visible row or outside
// every run.
void FrameRows::ScaleImageRow() {
  Argb* scaled = m_pixels.data();
  for (std::size_t x = 0; x < m_imageColors.size(); ++x) {
    std::fill_n(scaled + m_starts[x], m_widest, m_imageColors[x]);
  }
}

void FrameRows::FindRuns(bool anyKeptOut) {
  m_runs.clear();
  const std::size_t rowEnd = m_starts.back();
  if (!anyKeptOut) {
    m_runs.push_back({0, rowEnd});
    return;
  }
  bool inRun = false;
  for (std::size_t x = 0; x < m_imageColors.size(); ++x) {
    const bool drawn = m_imageColors[x] != kKeptOut;
    if (drawn == inRun) continue;
    if (drawn) {
      m_runs.push_back({m_starts[x], rowEnd});
    } else {
      m_runs.back().End = m_starts[x];
    }
    inRun = drawn;
  }
}

}  // namespace tessaloom::Painter
