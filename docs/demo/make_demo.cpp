// Writes the demo files every command can open: hero.spr, a small walking figure of
// four frames plus a shadow, with two 32-bit colour frames after them (a glowing orb
// and a spark), and hero.act, with a walking action of four clips (the shadow under
// each step), an idle action of two, and a spell whose layers are mirrored, scaled,
// rotated and tinted (what Preview Mode shows as the game does).
//
// Usage: tessaloom_make_demo OUTPUT_FOLDER

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "core/common/file_io.h"
#include "core/sprite/palette.h"
#include "core/sprite/spr_writer.h"
#include "support/act_bytes.h"
#include "support/frame_builder.h"
#include "support/spr_bytes.h"

using namespace tessaloom;

namespace {

enum Ink : std::uint8_t { kClear, kSkin, kEyes, kHair, kTunic, kBelt, kBoots, kOutline, kShadow };

constexpr int kWidth = 40;
constexpr int kHeight = 60;
constexpr int kShadowFrame = 4;
constexpr std::uint8_t kColorFrameCount = 2;  // the orb, then the spark
constexpr std::int32_t kColorFrame = 1;       // a layer's SpriteType for them

using Rows = std::vector<std::vector<std::uint8_t>>;

void Fill(Rows& rows, int left, int top, int right, int bottom, std::uint8_t ink) {
  for (int y = std::max(top, 0); y <= bottom && y < static_cast<int>(rows.size()); ++y) {
    for (int x = std::max(left, 0); x <= right && x < static_cast<int>(rows[y].size()); ++x) rows[y][x] = ink;
  }
}

void Disc(Rows& rows, int cx, int cy, int radius, std::uint8_t ink) {
  for (int y = cy - radius; y <= cy + radius; ++y) {
    for (int x = cx - radius; x <= cx + radius; ++x) {
      if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius) Fill(rows, x, y, x, y, ink);
    }
  }
}

// Every clear pixel touching the figure becomes outline.
void Outline(Rows& rows) {
  const Rows source = rows;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      if (source[y][x] != kClear) continue;
      const auto inked = [&](int nx, int ny) {
        return nx >= 0 && ny >= 0 && nx < kWidth && ny < kHeight && source[ny][nx] != kClear;
      };
      if (inked(x - 1, y) || inked(x + 1, y) || inked(x, y - 1) || inked(x, y + 1)) rows[y][x] = kOutline;
    }
  }
}

// Step 0..3 of the walk: legs and arms swing in opposite directions.
SprFrame WalkingFrame(int step) {
  static constexpr int kSwing[] = {-2, 0, 2, 0};
  const int swing = kSwing[step];
  Rows rows(kHeight, std::vector<std::uint8_t>(kWidth, kClear));
  Fill(rows, 14 + swing, 38, 17 + swing, 53, kTunic);  // legs
  Fill(rows, 22 - swing, 38, 25 - swing, 53, kTunic);
  Fill(rows, 13 + swing, 54, 18 + swing, 56, kBoots);
  Fill(rows, 21 - swing, 54, 26 - swing, 56, kBoots);
  Fill(rows, 13, 19, 26, 37, kTunic);                  // body
  Fill(rows, 13, 32, 26, 33, kBelt);
  Fill(rows, 9, 20 - swing / 2, 11, 33 - swing / 2, kSkin);  // arms
  Fill(rows, 28, 20 + swing / 2, 30, 33 + swing / 2, kSkin);
  Disc(rows, 19, 11, 7, kSkin);                        // head
  Fill(rows, 12, 3, 26, 7, kHair);
  Fill(rows, 16, 10, 17, 11, kEyes);
  Fill(rows, 21, 10, 22, 11, kEyes);
  Outline(rows);
  return FrameFromRows(rows);
}

SprFrame ShadowFrame() {
  Rows rows(7, std::vector<std::uint8_t>(28, kClear));
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 28; ++x) {
      const double dx = (x - 13.5) / 14.0, dy = (y - 3.0) / 3.5;
      if (dx * dx + dy * dy <= 1.0) rows[y][x] = kShadow;
    }
  }
  return FrameFromRows(rows);
}

std::vector<std::uint8_t> DemoPalette() {
  std::vector<Color> colors{MakeColor(255, 0, 255),  MakeColor(240, 200, 160), MakeColor(30, 30, 40),
                            MakeColor(120, 70, 30),  MakeColor(40, 110, 200),  MakeColor(190, 150, 40),
                            MakeColor(80, 50, 30),   MakeColor(20, 20, 28),    MakeColor(60, 60, 70)};
  for (int i = static_cast<int>(colors.size()); i < kPaletteEntries; ++i) {
    const auto level = static_cast<std::uint8_t>(i);
    colors.push_back(MakeColor(level, static_cast<std::uint8_t>(255 - level), static_cast<std::uint8_t>(level / 2)));
  }
  std::vector<std::uint8_t> palette;
  for (Color color : colors) palette.insert(palette.end(), {BlueOf(color), GreenOf(color), RedOf(color), 0});
  return palette;
}

// A 32-bit colour frame of `size` pixels whose alpha and colour follow `paint`, which
// takes the distance from the centre (0 at the centre, 1 at the edge) and the angle.
template <class Paint>
std::vector<std::uint32_t> RadialPixels(int size, Paint paint) {
  std::vector<std::uint32_t> pixels;
  const double half = size / 2.0;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const double dx = (x + 0.5 - half) / half, dy = (y + 0.5 - half) / half;
      pixels.push_back(paint(std::sqrt(dx * dx + dy * dy), std::atan2(dy, dx)));
    }
  }
  return pixels;
}

std::uint32_t StraightArgb(double alpha, int red, int green, int blue) {
  const auto a = static_cast<std::uint32_t>(std::clamp(alpha, 0.0, 1.0) * 255.0 + 0.5);
  return a << 24 | static_cast<std::uint32_t>(red) << 16 | static_cast<std::uint32_t>(green) << 8 |
         static_cast<std::uint32_t>(blue);
}

// The 32-bit frames' records, as the file stores them after the indexed frames.
std::vector<std::uint8_t> ColorFrameRecords() {
  constexpr int kOrb = 24, kSpark = 17;
  const auto orb = RadialPixels(kOrb, [](double r, double) { return StraightArgb(1.0 - r * r, 120, 220, 255); });
  const auto spark = RadialPixels(kSpark, [](double r, double angle) {
    const double rays = std::pow(std::abs(std::cos(2.0 * angle)), 8.0);
    return StraightArgb((1.0 - r) * (0.35 + 0.65 * rays) * 1.6, 255, 240, 150);
  });
  return SprBytes().RgbaFrame(kOrb, kOrb, orb).RgbaFrame(kSpark, kSpark, spark).Build();
}

SprDocument DemoSprite() {
  SprDocument sprite;
  sprite.Header.Compressed = 1;
  sprite.Header.Palette = DemoPalette();
  for (int step = 0; step < 4; ++step) sprite.Frames.push_back(WalkingFrame(step));
  sprite.Frames.push_back(ShadowFrame());
  sprite.Header.FrameCount = static_cast<std::int16_t>(sprite.Frames.size());
  sprite.Header.Reserved = {kColorFrameCount, 0};
  sprite.Header.TrailingData = ColorFrameRecords();
  return sprite;
}

ActClipFields StepClip(int frame, int bob) {
  ActLayerFields shadow{.X = 0, .Y = 28, .SpriteIndex = kShadowFrame};
  ActLayerFields body{.X = 0, .Y = bob, .SpriteIndex = frame, .SizeX = kWidth, .SizeY = kHeight};
  return ActClipFields{.Layers = {shadow, body}, .Anchors = {{.X = 0, .Y = -30}}};
}

// Step `step` of 0..3 of a spell cast facing left: the figure mirrored, a widened
// violet shadow at half strength, an orb turning above the hand, a growing spark.
ActClipFields SpellClip(int step) {
  ActLayerFields shadow{.X = 0, .Y = 28, .SpriteIndex = kShadowFrame, .Red = 150, .Green = 90, .Blue = 255,
                        .Alpha = 128, .ScaleX = 1.4f, .ScaleY = 1.0f};
  ActLayerFields body{.X = 0, .Y = 0, .SpriteIndex = step % 2 == 0 ? 0 : 2, .Direction = 1,
                      .SizeX = kWidth, .SizeY = kHeight};
  ActLayerFields orb{.X = -22, .Y = -4 - step, .SpriteIndex = 0, .ScaleX = 0.8f + 0.1f * step,
                     .ScaleY = 0.8f + 0.1f * step, .Rotation = 45 * step, .SpriteType = kColorFrame};
  ActLayerFields spark{.X = -22, .Y = -4 - step, .SpriteIndex = 1, .Red = 255, .Green = 200, .Blue = 120,
                       .Alpha = static_cast<std::uint8_t>(120 + 45 * step), .ScaleX = 0.5f + 0.4f * step,
                       .ScaleY = 0.5f + 0.4f * step, .Rotation = -30 * step, .SpriteType = kColorFrame};
  return ActClipFields{.Layers = {shadow, body, orb, spark}, .EventIndex = step == 3 ? 0 : -1};
}

std::vector<std::uint8_t> DemoActions() {
  ActFileFields file;
  file.Actions.push_back({.Clips = {StepClip(0, 0), StepClip(1, -1), StepClip(2, 0), StepClip(3, -1)}});
  file.Actions.push_back({.Clips = {StepClip(1, 0), StepClip(1, -1)}});
  file.Actions.push_back({.Clips = {SpellClip(0), SpellClip(1), SpellClip(2), SpellClip(3)}});
  file.Events = {"atk"};
  file.Intervals = {4.0f, 6.0f, 3.0f};
  return BuildActFile(file);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::filesystem::create_directories(folder);
  Status status = Tool_Spr::SaveSprite(folder / "hero.spr", DemoSprite());
  if (status) status = WriteFileAtomically(folder / "hero.act", DemoActions(), "Save error");
  if (!status) {
    std::fprintf(stderr, "%s\n", status.error().text.c_str());
    return 1;
  }
  return 0;
}
