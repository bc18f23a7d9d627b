#include "core/convert/gif_frame_delta.h"

#include <algorithm>
#include <bitset>
#include <cassert>
#include <utility>

namespace tessaloom::Converter_Gif {

StoredImage DeltaFrame::Image() const {
  return StoredImage{.Pixels = Pixels, .Stride = static_cast<std::size_t>(Width), .Width = Width, .Height = Height};
}

void GifFrameDelta::Area::Include(int x, int y) {
  if (Empty()) {
    *this = Area{.Left = x, .Top = y, .Right = x + 1, .Bottom = y + 1};
    return;
  }
  Left = std::min(Left, x);
  Top = std::min(Top, y);
  Right = std::max(Right, x + 1);
  Bottom = std::max(Bottom, y + 1);
}

void GifFrameDelta::Area::Include(const Area& other) {
  if (other.Empty()) return;
  Include(other.Left, other.Top);
  Include(other.Right - 1, other.Bottom - 1);
}

GifFrameDelta::GifFrameDelta(int width, int height, bool transparent, const GifColourTable& table)
    : m_width(std::max(width, 0)),
      m_height(std::max(height, 0)),
      m_transparent(transparent),
      m_colours(1 << table.SizeBits()),
      m_canvas(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height), kBackground),
      m_held(m_canvas.size()),
      m_next(m_canvas.size()) {
  for (std::size_t index = 0; index < m_shows.size(); ++index) {
    m_shows[index] = table.TableIndex(static_cast<std::uint8_t>(index));
  }
  if (transparent) m_shows[0] = kBackground;
}

Result<std::optional<DeltaFrame>> GifFrameDelta::Next(const StoredImage& image) {
  if (!Show(image, m_next)) {
    return Error{.title = "Export error", .text = "A frame holds a colour the animation's colour table lacks"};
  }
  std::optional<DeltaFrame> frame;
  if (m_holding) frame = Code(m_next);
  m_holding = true;
  std::swap(m_held, m_next);
  return frame;
}

std::optional<DeltaFrame> GifFrameDelta::Last() {
  if (!m_holding) return std::nullopt;
  m_holding = false;
  std::fill(m_next.begin(), m_next.end(), kBackground);
  return Code(m_next);
}

bool GifFrameDelta::Show(const StoredImage& image, Picture& picture) {
  const int rows = std::clamp(image.Height, 0, m_height);
  const auto columns = static_cast<std::size_t>(std::clamp(image.Width, 0, m_width));
  std::uint16_t seen = 0;
  for (int row = 0; row < rows; ++row) {
    const auto pixels = ImageRow(image, row, m_paddedRow).first(columns);
    std::uint16_t* shown = picture.data() + static_cast<std::ptrdiff_t>(row) * m_width;
    for (std::size_t x = 0; x < columns; ++x) {
      shown[x] = m_shows[pixels[x]];
      seen |= shown[x];
    }
    std::fill(shown + columns, shown + m_width, kBackground);
  }
  std::fill(picture.begin() + static_cast<std::ptrdiff_t>(rows) * m_width, picture.end(), kBackground);
  return (seen & GifColourTable::kAbsent) == 0;
}

// The first and the last rows with a pixel found bound the area above and below.
// Between them, only the pixels outside the columns found so far are looked at.
template <class Found>
GifFrameDelta::Area GifFrameDelta::Bounds(Found found) const {
  const auto at = [&](int x, int y) { return found(static_cast<std::size_t>(y) * m_width + x); };
  const auto anyIn = [&](int y) {
    for (int x = 0; x < m_width; ++x) {
      if (at(x, y)) return true;
    }
    return false;
  };
  int top = 0;
  while (top < m_height && !anyIn(top)) ++top;
  if (top == m_height) return Area{};
  int bottom = m_height - 1;
  while (!anyIn(bottom)) --bottom;
  Area area{.Left = m_width, .Top = top, .Right = 0, .Bottom = bottom + 1};
  for (int y = top; y <= bottom; ++y) {
    for (int x = 0; x < area.Left; ++x) {
      if (at(x, y)) area.Left = x;
    }
    for (int x = m_width - 1; x >= area.Right; --x) {
      if (at(x, y)) area.Right = x + 1;
    }
  }
  return area;
}

DeltaFrame GifFrameDelta::Code(const Picture& following) {
  const Area changed = Bounds([&](std::size_t at) { return m_held[at] != m_canvas[at]; });
  const Area vanishing =
      Bounds([&](std::size_t at) { return m_held[at] != kBackground && following[at] == kBackground; });
  const bool restore = !vanishing.Empty();
  Area area = changed;
  area.Include(vanishing);
  if (area.Empty() && (m_transparent || !m_first)) {
    area = Area{.Right = std::min(m_width, 1), .Bottom = std::min(m_height, 1)};  // carries the delay
  }
  m_first = false;

  DeltaFrame frame{.Left = area.Left, .Top = area.Top, .Width = area.Right - area.Left,
                   .Height = area.Bottom - area.Top, .Restore = restore,
                   .Transparent = TransparentIndex(area, restore)};
  Emit(area, frame);
  m_canvas = m_held;
  for (int y = area.Top; restore && y < area.Bottom; ++y) {
    const auto row = m_canvas.begin() + static_cast<std::ptrdiff_t>(y) * m_width;
    std::fill(row + area.Left, row + area.Right, kBackground);
  }
  return frame;
}

// Only when some pixel of the area keeps what the canvas shows: a decoder may take a
// first frame with a transparent index for a transparent picture.
std::optional<std::uint8_t> GifFrameDelta::TransparentIndex(const Area& area, bool restore) const {
  if (m_transparent) return std::uint8_t{0};
  if (restore) return std::nullopt;
  std::bitset<kBackground> used;
  bool keeps = false;
  for (int y = area.Top; y < area.Bottom; ++y) {
    for (int x = area.Left; x < area.Right; ++x) {
      const std::size_t at = static_cast<std::size_t>(y) * m_width + x;
      if (m_held[at] == m_canvas[at]) {
        keeps = true;
      } else {
        used.set(m_held[at]);
      }
    }
  }
  if (!keeps) return std::nullopt;
  for (int index = 0; index < m_colours; ++index) {
    if (!used.test(static_cast<std::size_t>(index))) return static_cast<std::uint8_t>(index);
  }
  return std::nullopt;
}

// A kept pixel becomes the transparent index, chosen without a branch. Without one,
// every pixel of the area is a colour, by the choice of the areas: the held picture
// only shows background where the canvas does.
void GifFrameDelta::Emit(const Area& area, DeltaFrame& frame) const {
  frame.Pixels.resize(static_cast<std::size_t>(frame.Width) * static_cast<std::size_t>(frame.Height));
  std::uint8_t* out = frame.Pixels.data();
  const std::uint16_t keptMask = frame.Transparent ? 0xFFFF : 0;
  const std::uint16_t index = frame.Transparent.value_or(0);
  for (int y = area.Bottom - 1; y >= area.Top; --y) {
    const std::uint16_t* held = m_held.data() + static_cast<std::size_t>(y) * m_width;
    const std::uint16_t* canvas = m_canvas.data() + static_cast<std::size_t>(y) * m_width;
    for (int x = area.Left; x < area.Right; ++x) {
      const std::uint16_t kept = held[x] == canvas[x] ? keptMask : 0;
      assert(held[x] != kBackground || kept);
      *out++ = static_cast<std::uint8_t>((held[x] & ~kept) | (index & kept));
    }
  }
}

}  // namespace tessaloom::Converter_Gif
