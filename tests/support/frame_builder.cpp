#include "support/frame_builder.h"

#include <algorithm>
#include <cassert>
#include <cstddef>

#include "support/spr_bytes.h"

namespace tessaloom {

SprFrame FrameFromRows(const std::vector<std::vector<std::uint8_t>>& topDownRows,
                       std::uint8_t padding) {
  SprFrame frame;
  frame.Height = static_cast<std::int16_t>(topDownRows.size());
  frame.Width = static_cast<std::int16_t>(topDownRows.empty() ? 0 : topDownRows.front().size());
  const std::size_t stride = static_cast<std::size_t>(RowStride(frame.Width));
  for (auto row = topDownRows.rbegin(); row != topDownRows.rend(); ++row) {
    assert(row->size() == static_cast<std::size_t>(frame.Width));
    frame.Pixels.insert(frame.Pixels.end(), row->begin(), row->end());
    frame.Pixels.resize(frame.Pixels.size() + stride - row->size(), padding);
  }
  frame.DataSize = static_cast<std::int32_t>(frame.Pixels.size());
  return frame;
}

SprFrame SolidFrame(int width, int height, std::uint8_t index) {
  return FrameFromRows(std::vector<std::vector<std::uint8_t>>(
      static_cast<std::size_t>(height),
      std::vector<std::uint8_t>(static_cast<std::size_t>(width), index)));
}

SprDocument SpriteOf(std::vector<SprFrame> frames) {
  SprDocument sprite;
  sprite.Header.Palette = Tool_Spr::SwapPaletteOrder(TestPaletteFileOrder());
  sprite.Header.FrameCount = static_cast<std::int16_t>(frames.size());
  sprite.Frames = std::move(frames);
  return sprite;
}

SprDocument VariedSprite() {
  std::vector<SprFrame> frames;
  for (int width = 1; width <= 9; ++width) {
    std::vector<std::vector<std::uint8_t>> rows(3, std::vector<std::uint8_t>(static_cast<std::size_t>(width), 0));
    for (int y = 0; y < 3; ++y) {
      for (int x = 0; x < width; ++x) {
        if ((x + y) % 3 != 0) rows[y][x] = static_cast<std::uint8_t>(1 + x * 29 + y);
      }
    }
    frames.push_back(FrameFromRows(rows));
  }
  frames.push_back(SolidFrame(70, 3, 0));
  frames.push_back(SolidFrame(13, 2, 200));
  SprDocument sprite = SpriteOf(std::move(frames));
  sprite.Header.Compressed = 1;
  // A 32-bit colour frame, counted at offset 6, then bytes no frame claims.
  const std::vector<std::uint32_t> argb{0x80FF0000, 0x00000000, 0xFF00FF00, 0x400000FF};
  sprite.RgbaFrames = {{.Width = 2, .Height = 2, .Pixels = argb}};
  sprite.Header.Reserved = {1, 0};
  sprite.Header.TrailingData = SprBytes().RgbaFrame(2, 2, argb).Bytes(std::vector<std::uint8_t>{'x', 'y', 'z'}).Build();
  return sprite;
}

std::vector<std::uint8_t> PaletteOf(std::initializer_list<Color> colors) {
  std::vector<std::uint8_t> palette;
  for (const Color color : colors) {
    palette.insert(palette.end(), {BlueOf(color), GreenOf(color), RedOf(color), 0});
  }
  return palette;
}

PixelRect BoundsOfPixelsOtherThan(const Image& canvas, Argb background) {
  int left = canvas.Width, top = canvas.Height, right = -1, bottom = -1;
  for (int y = 0; y < canvas.Height; ++y) {
    for (int x = 0; x < canvas.Width; ++x) {
      if (canvas.At(x, y) == background) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  if (right < 0) return PixelRect{};
  return PixelRect{left, top, right - left + 1, bottom - top + 1};
}

}  // namespace tessaloom
