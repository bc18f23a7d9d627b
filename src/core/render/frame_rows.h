#pragma once
// One frame on its way to the canvas, canvas row by canvas row: which rows and
// columns of the canvas it covers, and the image row under the current canvas row
// at the canvas's scale.

#include <cstddef>
#include <vector>

#include "core/common/image.h"
#include "core/render/painter.h"

namespace tessaloom::Painter {

class FrameRows {
 public:
  FrameRows(const FrameDraw& draw, const ColorTable& colors, const Image& canvas);

  bool IsVisible() const { return m_left < m_right && m_top < m_bottom; }
  int Top() const { return m_top; }
  int Bottom() const { return m_bottom; }  // one past the last row

  // Draws the frame's part of canvas row y, which lies in Top() to Bottom() - 1.
  void DrawRow(int y, Argb* canvasRow);

 private:
  void MapColumns();
  void BuildImageRow(int imageRow);
  bool ReadImageRow(int imageRow);
  void ScaleImageRow();
  void FindRuns(bool anyKeptOut);

  struct Run {
    std::size_t Begin;
    std::size_t End;
  };

  const SprFrame& m_frame;
  const ColorTable& m_colors;
  FramePlacement m_target;
  int m_left = 0;  // the canvas columns and rows drawn, right and bottom exclusive
  int m_right = 0;
  int m_top = 0;
  int m_bottom = 0;
  int m_firstColumn = 0;              // the leftmost frame column that shows
  std::vector<std::size_t> m_starts;  // for each frame column that shows, and one past
                                      // the last: where it starts in the visible row
  std::size_t m_widest = 0;           // the most canvas columns one frame column covers
  int m_builtRow = -1;
  std::vector<Argb> m_imageColors;  // the colours of the frame columns that show
  std::vector<Argb> m_pixels;       // the same at the canvas's scale
  std::vector<Run> m_runs;          // the parts of m_pixels that are drawn
};

}  // namespace tessaloom::Painter
