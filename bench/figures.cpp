#include "figures.h"

#include <bit>
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

ActData FigureAction(int clips, int layers, int frames) {
  const auto scaleBits = [](double scale) { return std::bit_cast<std::int32_t>(static_cast<float>(scale)); };
  ActData act{.ActionCount = 1, .VersionWord = 0x0205, .Intervals = {4.0f}};
  ActAction& action = act.Actions.emplace_back(ActAction{.ClipCount = static_cast<std::int16_t>(clips)});
  for (int c = 0; c < clips; ++c) {
    ActClip& clip = action.Clips.emplace_back(ActClip{.LayerCount = static_cast<std::int16_t>(layers)});
    for (int n = 0; n < layers; ++n) {
      clip.Layers.push_back({.SpriteIndex = static_cast<std::int16_t>((c + n) % frames),
                             .Direction = n % 2,
                             .Red = 255,
                             .Green = static_cast<std::uint8_t>(160 + n * 9 % 96),
                             .Blue = 200,
                             .Alpha = static_cast<std::uint8_t>(n % 3 == 0 ? 160 : 255),
                             .PosX = static_cast<std::int16_t>(n * 40 - (layers - 1) * 20 + c),
                             .PosY = static_cast<std::int16_t>(n % 3 * 30 - 30),
                             .ScaleX = scaleBits(0.8 + 0.08 * (n % 10)),
                             .ScaleY = scaleBits(1.6 - 0.06 * (n % 10)),
                             .Rotation = n % 4 == 0 ? 90 * n : 17 * n + 18 * c});
    }
  }
  return act;
}

}  // namespace tessaloom::bench
