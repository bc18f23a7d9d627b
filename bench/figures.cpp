#include "figures.h"

#include <random>

namespace tessaloom::bench {

SprFrame FigureFrame(int side, int phase) {
  std::mt19937 random(static_cast<unsigned>(phase));
  std::uniform_int_distribution<int> noise(0, 15);
  SprFrame frame{.Width = static_cast<std::int16_t>(side), .Height = static_cast<std::int16_t>(side)};
  const int stride = RowStride(side);
  frame.Pixels.assign(static_cast<std::size_t>(stride * side), 0);
  const double centreX = side / 2.0 + phase % 7 - 3, centreY = side / 2.0;
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      const double dx = (x - centreX) / (side * 0.3), dy = (y - centreY) / (side * 0.45);
      const double distance = dx * dx + dy * dy;
      const bool hole = distance > 0.3 && distance < 0.35 && x % 5 == 0;
      if (distance > 1.0 || hole) continue;
      const int shade = (y / 6 + x / 11 + noise(random) / 12) % 200 + 16;
      frame.Pixels[static_cast<std::size_t>((side - 1 - y) * stride + x)] = static_cast<std::uint8_t>(shade);
    }
  }
  return frame;
}

SprDocument FigureSprite(int side, int frames) {
  SprDocument sprite;
  for (int k = 0; k < kPaletteEntries; ++k) {
    sprite.Header.Palette.insert(sprite.Header.Palette.end(), {static_cast<std::uint8_t>(k),
                                                               static_cast<std::uint8_t>(k / 2),
                                                               static_cast<std::uint8_t>(255 - k), 0});
  }
  for (int i = 0; i < frames; ++i) sprite.Frames.push_back(FigureFrame(side, i));
  sprite.Header.FrameCount = static_cast<std::int16_t>(frames);
  return sprite;
}

}  // namespace tessaloom::bench
