#include "figures.h"

#include <bit>
#include <cmath>
#include <functional>
#include <random>

namespace tessaloom::bench {
namespace {

SprDocument SpriteOf(int frames, const std::function<SprFrame(int)>& frame) {
  SprDocument sprite;
  for (int k = 0; k < kPaletteEntries; ++k) {
    sprite.Header.Palette.insert(sprite.Header.Palette.end(), {static_cast<std::uint8_t>(k),
                                                               static_cast<std::uint8_t>(k / 2),
                                                               static_cast<std::uint8_t>(255 - k), 0});
  }
  for (int i = 0; i < frames; ++i) sprite.Frames.push_back(frame(i));
  sprite.Header.FrameCount = static_cast<std::int16_t>(frames);
  return sprite;
}

}  // namespace

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
  return SpriteOf(frames, [side](int phase) { return FigureFrame(side, phase); });
}

SprFrame WalkingFrame(int side, int phase) {
  SprFrame frame = FigureFrame(side, 0);
  const int stride = RowStride(side);
  const auto put = [&](int x, int y, int shade) {
    if (x < 0 || x >= side || y < 0 || y >= side) return;
    frame.Pixels[static_cast<std::size_t>((side - 1 - y) * stride + x)] = static_cast<std::uint8_t>(shade);
  };
  const int hip = side * 6 / 10;
  for (int y = hip; y < side; ++y) {
    for (int x = 0; x < side; ++x) put(x, y, 0);
  }
  const auto limb = [&](double x0, double y0, double x1, double y1, int shade) {
    for (int step = 0; step <= side; ++step) {
      const double t = static_cast<double>(step) / side;
      const int x = static_cast<int>(x0 + (x1 - x0) * t), y = static_cast<int>(y0 + (y1 - y0) * t);
      for (int d = -9; d <= 9; ++d) put(x + d / 3, y + d % 3, shade + (step / 8 + d) % 4);
    }
  };
  const double swing = std::sin(phase * 0.5) * side * 0.18;
  const double centre = side / 2.0 - 3, leg = side * 0.08, shoulder = side * 0.25;  // FigureFrame(side, 0)'s centre
  limb(centre - leg, hip, centre - leg + swing, side - 4, 60);
  limb(centre + leg, hip, centre + leg - swing, side - 4, 90);
  limb(centre - shoulder, side * 0.3, centre - shoulder - swing * 0.6, hip, 120);
  limb(centre + shoulder, side * 0.3, centre + shoulder + swing * 0.6, hip, 150);
  return frame;
}

SprDocument WalkingSprite(int side, int frames) {
  return SpriteOf(frames, [side](int phase) { return WalkingFrame(side, phase); });
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
