#include "core/render/painter.h"

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

#include "core/render/frame_rows.h"
#include "core/sprite/palette.h"

namespace tessaloom::Painter {
namespace {

// The cleared canvas, one row at a time: the background colour, or the checkerboard,
// with the background picture's row over it.
class BackgroundRows {
 public:
  BackgroundRows(int canvasWidth, const ViewSettings& view)
      : m_colorRows{CheckerRow(canvasWidth, view, 0), CheckerRow(canvasWidth, view, 1)},
        m_picture(view.BackgroundPicture),
        m_pictureWidth(m_picture == nullptr ? 0 : std::min(m_picture->Width, canvasWidth)) {}

  void CopyTo(int y, Argb* canvasRow) const {
    const std::vector<Argb>& colorRow = m_colorRows[static_cast<std::size_t>(y / kCheckerSquare % 2)];
    std::copy(colorRow.begin(), colorRow.end(), canvasRow);
    if (m_picture == nullptr || y >= m_picture->Height) return;
    const auto pictureRow =
        m_picture->Pixels.begin() + static_cast<std::ptrdiff_t>(y) * m_picture->Width;
    std::copy(pictureRow, pictureRow + m_pictureWidth, canvasRow);
  }

 private:
  // A row of the background in band `band` (0 or 1) of squares; a plain colour is
  // the same in both.
  static std::vector<Argb> CheckerRow(int width, const ViewSettings& view, int band) {
    std::vector<Argb> row(static_cast<std::size_t>(width), ToArgb(view.Background));
    if (!view.Checkerboard) return row;
    for (int x = 0; x < width; ++x)
      row[static_cast<std::size_t>(x)] = ToArgb((x / kCheckerSquare + band) % 2 == 0 ? kCheckerLight : kCheckerDark);
    return row;
  }

  std::array<std::vector<Argb>, 2> m_colorRows;
  const Image* m_picture;
  int m_pictureWidth;
};

}  // namespace

ColorTable MakeColorTable(std::span<const std::uint8_t> palette, bool transparent, int highlightIndex) {
  const auto shown = [&](int index) {
    const Color color = Tool_Spr::PaletteColor(palette, static_cast<std::uint8_t>(index));
    return index == highlightIndex ? MakeColor(BlueOf(color), GreenOf(color), RedOf(color)) : color;
  };
  const Color key = shown(0);
  ColorTable table{};
  for (int index = 0; index < kPaletteEntries; ++index) {
    const Color color = shown(index);
    table[static_cast<std::size_t>(index)] = transparent && color == key ? kKeptOut : ToArgb(color);
  }
  return table;
}

void ClearCanvas(Image& canvas, const ViewSettings& view) {
  DrawFrames(canvas, view, /*clearFirst=*/true, ColorTable{}, {});
}

void DrawFrames(Image& canvas, const ViewSettings& view, bool clearFirst, const ColorTable& colors,
                std::span<const FrameDraw> frames) {
  std::vector<FrameRows> visible;
  visible.reserve(frames.size());
  int top = canvas.Height;
  int bottom = 0;
  for (const FrameDraw& draw : frames) {
    FrameRows rows(draw, colors, canvas);
    if (!rows.IsVisible()) continue;
    top = std::min(top, rows.Top());
    bottom = std::max(bottom, rows.Bottom());
    visible.push_back(std::move(rows));
  }
  if (clearFirst) {
    top = 0;
    bottom = canvas.Height;
  }
  const BackgroundRows background(clearFirst ? canvas.Width : 0, view);
  for (int y = top; y < bottom; ++y) {
    Argb* canvasRow = canvas.Pixels.data() + static_cast<std::size_t>(y) * canvas.Width;
    if (clearFirst) background.CopyTo(y, canvasRow);
    for (FrameRows& rows : visible) {
      if (y >= rows.Top() && y < rows.Bottom()) rows.DrawRow(y, canvasRow);
    }
  }
}

}  // namespace tessaloom::Painter
