#include "core/operations/action_export.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>

#include "core/common/file_io.h"
#include "core/convert/converter_gif.h"
#include "core/convert/converter_png.h"
#include "core/operations/sprite_operations.h"
#include "core/sprite/palette.h"

namespace tessaloom {
namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kOpaqueEnough = 128;

// NearestPaletteIndex's rule with the answers remembered: a composed clip repeats a
// few colours many times, and each search looks at 255 entries. The memory is a
// fixed table of slots indexed by a hash of the colour, so it never grows.
class PaletteMatcher {
 public:
  explicit PaletteMatcher(std::span<const std::uint8_t> palette) : m_slots(kSlots) {
    for (int index = 0; index < kPaletteEntries; ++index) {
      m_colors[static_cast<std::size_t>(index)] = Tool_Spr::PaletteColor(palette, static_cast<std::uint8_t>(index));
    }
  }

  std::uint8_t IndexOf(Argb pixel) {
    if ((pixel >> 24) < kOpaqueEnough) return 0;
    const std::uint32_t rgb = pixel & 0xFFFFFFu;
    Slot& slot = m_slots[(rgb * 2654435761u) >> (32 - kSlotBits)];
    if (slot.Rgb != rgb) slot = Slot{.Rgb = rgb, .Index = Nearest(FromArgb(pixel))};
    return slot.Index;
  }

 private:
  static constexpr int kSlotBits = 12;
  static constexpr std::size_t kSlots = std::size_t{1} << kSlotBits;
  static constexpr std::uint32_t kNoColor = 0xFFFFFFFFu;  // a colour has no top byte

  struct Slot {
    std::uint32_t Rgb = kNoColor;
    std::uint8_t Index = 0;
  };

  static int Squared(int difference) { return difference * difference; }

  std::uint8_t Nearest(Color color) const {
    int best = 1;
    int bestDistance = Distance(color, 1);
    for (int index = 2; index < kPaletteEntries; ++index) {
      const int distance = Distance(color, index);
      if (distance < bestDistance) {
        best = index;
        bestDistance = distance;
      }
    }
    return static_cast<std::uint8_t>(best);
  }

  int Distance(Color color, int index) const {
    const Color entry = m_colors[static_cast<std::size_t>(index)];
    return Squared(RedOf(color) - RedOf(entry)) + Squared(GreenOf(color) - GreenOf(entry)) +
           Squared(BlueOf(color) - BlueOf(entry));
  }

  std::array<Color, kPaletteEntries> m_colors{};
  std::vector<Slot> m_slots;
};

// The palette indices of a picture in the rows the GIF coder reads: bottom-up.
Bytes Indices(const Image& picture, PaletteMatcher& matcher) {
  Bytes indices(picture.Pixels.size());
  for (int y = 0; y < picture.Height; ++y) {
    const auto row = static_cast<std::size_t>(picture.Height - 1 - y) * static_cast<std::size_t>(picture.Width);
    for (int x = 0; x < picture.Width; ++x) {
      indices[row + static_cast<std::size_t>(x)] = matcher.IndexOf(picture.At(x, y));
    }
  }
  return indices;
}

Result<Bytes> EncodeGif(const SprDocument& sprite, const std::vector<Image>& frames, float interval) {
  Converter_Gif::IndexedAnimation animation{
      .Width = frames.front().Width, .Height = frames.front().Height, .Delay = GifDelay(interval), .Frames = {}};
  PaletteMatcher matcher(sprite.Header.Palette);
  for (const Image& frame : frames) animation.Frames.push_back(Indices(frame, matcher));
  return Converter_Gif::EncodeIndexedAnimation(sprite.Header, animation);
}

}  // namespace

std::uint16_t GifDelay(float interval) {
  constexpr double kHundredthsPerUnit = 2.5;  // a unit is 25 ms
  constexpr double kShortest = 2;             // browsers slow down shorter delays
  const double hundredths = std::floor(static_cast<double>(interval) * kHundredthsPerUnit + 0.5);
  if (!(hundredths >= kShortest)) return static_cast<std::uint16_t>(kShortest);  // NaN too
  return static_cast<std::uint16_t>(std::min(hundredths, 65535.0));
}

std::uint8_t NearestPaletteIndex(Argb pixel, const std::vector<std::uint8_t>& palette) {
  return PaletteMatcher(palette).IndexOf(pixel);
}

Result<std::vector<Bytes>> EncodeAction(const SprDocument& sprite, const ActData& act, int action, int zoomStep,
                                        ActionExportFormat format) {
  auto frames = ComposeAction(sprite, act, action, zoomStep);
  if (!frames) return frames.error();
  std::vector<Bytes> files;
  if (format == ActionExportFormat::AnimatedGif) {
    auto gif = EncodeGif(sprite, *frames, ActionInterval(act, action));
    if (!gif) return gif.error();
    files.push_back(std::move(*gif));
    return files;
  }
  for (const Image& frame : *frames) {
    auto png = Converter_Png::EncodeRgbaPng(frame);
    if (!png) return png.error();
    files.push_back(std::move(*png));
  }
  return files;
}

Status ExportAction(const SprDocument& sprite, const ActData& act, int action, int zoomStep,
                    ActionExportFormat format, const std::filesystem::path& path) {
  auto files = EncodeAction(sprite, act, action, zoomStep, format);
  if (!files) return files.error();
  StagedFiles staged;
  for (std::size_t index = 0; index < files->size(); ++index) {
    const std::filesystem::path target = format == ActionExportFormat::AnimatedGif
                                             ? path
                                             : NumberedFileName(path, static_cast<int>(index) + 1, ".png");
    if (Status written = staged.Stage(target, (*files)[index], kActionExportTitle); !written) return written;
  }
  return staged.Commit();
}

}  // namespace tessaloom
