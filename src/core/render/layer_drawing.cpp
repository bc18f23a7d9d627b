#include "core/render/layer_drawing.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numbers>
#include <vector>

#include "core/render/pixel_blend.h"

namespace tessaloom::Preview {
namespace {

constexpr std::ptrdiff_t kOutside = -1;

struct Turn {
  double Cos = 1;
  double Sin = 0;
  bool Quarter = true;   // a multiple of 90 degrees, whose sine and cosine are exact
  bool Swapped = false;  // a quarter turn that maps canvas rows to image columns
};

Turn TurnOf(int degrees) {
  switch ((degrees % 360 + 360) % 360) {
    case 0: return {1, 0, true, false};
    case 90: return {0, 1, true, true};
    case 180: return {-1, 0, true, false};
    case 270: return {0, -1, true, true};
    default: break;
  }
  const double radians = (degrees % 360) * std::numbers::pi / 180;
  return {std::cos(radians), std::sin(radians), false, false};
}

// The canvas pixels a layer may cover: columns Left to Right - 1, rows Top to Bottom - 1.
struct Box {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
};

int ClampedToCanvas(double coordinate, int size) {
  return static_cast<int>(std::clamp(coordinate, 0.0, static_cast<double>(size)));
}

// The index of an image coordinate along an axis of `size` pixels, kOutside off it.
std::ptrdiff_t IndexIn(double coordinate, int size) {
  return coordinate >= 0 && coordinate < size ? static_cast<std::ptrdiff_t>(coordinate) : kOutside;
}

// The rule's map from canvas points to image coordinates, which count from the
// image's top-left corner, so their floors are the image pixel.
class Mapping {
 public:
  Mapping(const LayerTransform& where, int width, int height)
      : m_where(where), m_turn(TurnOf(where.Rotation)), m_width(width), m_height(height) {}

  struct Point {
    double X;
    double Y;
  };

  // (dx, dy) is the canvas point's offset from the image's centre.
  Point Map(double dx, double dy) const {
    double u = (m_turn.Cos * dx + m_turn.Sin * dy) / m_where.Zoom;
    double v = (m_turn.Cos * dy - m_turn.Sin * dx) / m_where.Zoom;
    u /= m_where.ScaleX;
    v /= m_where.ScaleY;
    if (m_where.Mirrored) u = -u;
    return {u + m_width / 2.0, v + m_height / 2.0};
  }
  double OffsetX(int x) const { return x + 0.5 - m_where.CenterX; }
  double OffsetY(int y) const { return y + 0.5 - m_where.CenterY; }
  const Turn& TurnMade() const { return m_turn; }

  // The image's turned rectangle, a pixel wider each side than the pixel centres it holds.
  Box CanvasBox(const Image& canvas) const {
    const double width = std::abs(m_where.ScaleX) * m_width / 2, height = std::abs(m_where.ScaleY) * m_height / 2;
    const double reachX = m_where.Zoom * (std::abs(m_turn.Cos) * width + std::abs(m_turn.Sin) * height);
    const double reachY = m_where.Zoom * (std::abs(m_turn.Sin) * width + std::abs(m_turn.Cos) * height);
    return {ClampedToCanvas(std::floor(m_where.CenterX - reachX) - 1, canvas.Width),
            ClampedToCanvas(std::floor(m_where.CenterY - reachY) - 1, canvas.Height),
            ClampedToCanvas(std::ceil(m_where.CenterX + reachX) + 1, canvas.Width),
            ClampedToCanvas(std::ceil(m_where.CenterY + reachY) + 1, canvas.Height)};
  }

 private:
  LayerTransform m_where;
  Turn m_turn;
  int m_width;
  int m_height;
};

Argb* CanvasRow(Image& canvas, int y) { return canvas.Pixels.data() + static_cast<std::size_t>(y) * canvas.Width; }

// A quarter turn is separable: a canvas column decides one image coordinate and a
// canvas row the other, so each is mapped once into part of a pixel's offset. Canvas
// rows that show the same image line (all the rows of a zoomed pixel) share its
// colours, looked up once.
void DrawQuarterTurned(Image& canvas, const Image& image, const Mapping& map, const Box& box) {
  const bool swapped = map.TurnMade().Swapped;
  const auto span = static_cast<std::size_t>(box.Right - box.Left);
  std::vector<std::ptrdiff_t> byColumn(span);
  for (std::size_t i = 0; i < span; ++i) {
    const Mapping::Point point = map.Map(map.OffsetX(box.Left + static_cast<int>(i)), 0);
    const std::ptrdiff_t index = swapped ? IndexIn(point.Y, image.Height) : IndexIn(point.X, image.Width);
    byColumn[i] = swapped && index != kOutside ? index * image.Width : index;
  }
  BlendLine line(span);
  std::ptrdiff_t lineMade = kOutside;
  for (int y = box.Top; y < box.Bottom; ++y) {
    const Mapping::Point point = map.Map(0, map.OffsetY(y));
    std::ptrdiff_t rowPart = swapped ? IndexIn(point.X, image.Width) : IndexIn(point.Y, image.Height);
    if (rowPart == kOutside) continue;
    if (!swapped) rowPart *= image.Width;
    if (rowPart != lineMade) {
      std::ranges::transform(byColumn, line.Pixels().begin(), [&](std::ptrdiff_t columnPart) {
        return columnPart == kOutside ? 0 : image.Pixels[static_cast<std::size_t>(rowPart + columnPart)];
      });
      line.FindRuns();
      lineMade = rowPart;
    }
    line.LayOver(CanvasRow(canvas, y) + box.Left);
  }
}

// Narrows [first, last] (steps along a row) to where start + k * step may lie in
// [0, limit), keeping a step of margin each side for the rounding of the stepping.
void NarrowSteps(double start, double step, double limit, double& first, double& last) {
  if (step == 0) {
    if (!(start >= 0 && start < limit)) last = first - 1;
    return;
  }
  const double a = -start / step, b = (limit - start) / step;
  first = std::max(first, std::min(a, b) - 1);
  last = std::min(last, std::max(a, b) + 1);
}

// Image coordinates in 32.32 fixed point while stepping along a row: exact integer
// additions, and one unsigned compare rejects a coordinate off the image, negative
// ones included.
constexpr double kFixedOne = 4294967296.0;
// Narrowed rows hold coordinates within two steps of the image, so steps below this
// bound keep them inside the 31 integer bits. A larger step means an image under a
// hundred-millionth of a pixel across, which reaches no pixel centre but by rounding.
constexpr double kLargestStep = 1 << 28;

std::int64_t Fixed(double coordinate) { return std::llround(coordinate * kFixedOne); }

// Any other angle: the image coordinates step by a constant along a canvas row, and
// only the part of the row that can reach the image is visited.
void DrawTurned(Image& canvas, const Image& image, const Mapping& map, const Box& box) {
  const Mapping::Point origin = map.Map(0, 0), next = map.Map(1, 0);
  const double stepX = next.X - origin.X, stepY = next.Y - origin.Y;
  if (!(std::abs(stepX) < kLargestStep && std::abs(stepY) < kLargestStep)) return;
  const std::int64_t fixedStepX = Fixed(stepX), fixedStepY = Fixed(stepY);
  const auto width = static_cast<std::uint64_t>(image.Width), height = static_cast<std::uint64_t>(image.Height);
  for (int y = box.Top; y < box.Bottom; ++y) {
    const Mapping::Point start = map.Map(map.OffsetX(box.Left), map.OffsetY(y));
    double first = 0, last = box.Right - box.Left - 1;
    NarrowSteps(start.X, stepX, image.Width, first, last);
    NarrowSteps(start.Y, stepY, image.Height, first, last);
    if (first > last) continue;
    const int from = box.Left + static_cast<int>(std::ceil(first)), to = box.Left + static_cast<int>(std::floor(last));
    const Mapping::Point at = map.Map(map.OffsetX(from), map.OffsetY(y));
    auto u = static_cast<std::uint64_t>(Fixed(at.X)), v = static_cast<std::uint64_t>(Fixed(at.Y));
    Argb* row = CanvasRow(canvas, y);
    for (int x = from; x <= to; ++x, u += fixedStepX, v += fixedStepY) {
      if ((u >> 32) < width && (v >> 32) < height) BlendOver(row[x], image.Pixels[(v >> 32) * width + (u >> 32)]);
    }
  }
}

bool IsDrawnScale(double scale) { return std::isfinite(scale) && scale != 0; }

}  // namespace

void DrawLayer(Image& canvas, const Image& image, const LayerTransform& where) {
  if (image.Pixels.empty() || where.Zoom < 1 || !IsDrawnScale(where.ScaleX) || !IsDrawnScale(where.ScaleY)) return;
  const Mapping map(where, image.Width, image.Height);
  const Box box = map.CanvasBox(canvas);
  if (box.Left >= box.Right || box.Top >= box.Bottom) return;
  if (map.TurnMade().Quarter) {
    DrawQuarterTurned(canvas, image, map, box);
  } else {
    DrawTurned(canvas, image, map, box);
  }
}

}  // namespace tessaloom::Preview
