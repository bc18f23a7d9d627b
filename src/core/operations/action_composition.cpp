// ComposeAction: the clips of an action drawn the game's way and cropped to one
// rectangle. No clip is drawn on a canvas of the whole possible area: each is drawn
// on a working canvas just big enough for its layers' transformed rectangles, and
// the part holding pixels is kept with its position relative to the origin.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <optional>

#include "core/operations/action_export.h"
#include "core/render/preview_drawing.h"

namespace tessaloom {
namespace {

constexpr std::int64_t kMaxSide = 16384;
// All the clips' pictures together: 1 GiB of pixels at most.
constexpr std::int64_t kMaxPixels = std::int64_t{1} << 28;
// Larger than any side we accept, small enough that sums never overflow.
constexpr double kFarAway = 1e12;

// A rectangle of canvas pixels relative to the clip's origin; right and bottom are
// exclusive. Empty when it holds no pixel.
struct Box {
  std::int64_t Left = 0, Top = 0, Right = 0, Bottom = 0;

  bool Empty() const { return Left >= Right || Top >= Bottom; }
  std::int64_t Width() const { return Right - Left; }
  std::int64_t Height() const { return Bottom - Top; }
};

Box Union(const Box& a, const Box& b) {
  if (a.Empty()) return b;
  if (b.Empty()) return a;
  return Box{std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
             std::max(a.Bottom, b.Bottom)};
}

struct PictureSize {
  int Width = 0;
  int Height = 0;
};

// The size of the frame a layer shows, as the drawing picks it.
std::optional<PictureSize> LayerPictureSize(const SprDocument& sprite, const ActLayer& layer) {
  if (layer.SpriteIndex < 0) return std::nullopt;
  const auto index = static_cast<std::size_t>(layer.SpriteIndex);
  if (layer.SpriteType == 1) {
    if (index >= sprite.RgbaFrames.size()) return std::nullopt;
    return PictureSize{sprite.RgbaFrames[index].Width, sprite.RgbaFrames[index].Height};
  }
  if (index >= sprite.Frames.size()) return std::nullopt;
  return PictureSize{sprite.Frames[index].Width, sprite.Frames[index].Height};
}

std::int64_t ClampedFloor(double value) {
  return static_cast<std::int64_t>(std::floor(std::clamp(value, -kFarAway, kFarAway)));
}
std::int64_t ClampedCeil(double value) {
  return static_cast<std::int64_t>(std::ceil(std::clamp(value, -kFarAway, kFarAway)));
}

// Every canvas pixel the layer can touch: its picture's rectangle scaled and turned
// about the centre, plus a pixel on each side for rounding. Empty for a layer that
// draws nothing; a huge scale gives a box far too big, which is refused.
Box LayerBox(const SprDocument& sprite, const ActLayer& layer, std::uint16_t versionWord, int scale) {
  const auto picture = LayerPictureSize(sprite, layer);
  if (!picture || picture->Width <= 0 || picture->Height <= 0) return {};
  const bool transformed = versionWord >= 0x0200;
  const double scaleX = transformed ? std::fabs(ScaleValue(layer.ScaleX)) : 1.0;
  const double scaleY = transformed ? std::fabs(ScaleValue(layer.ScaleY)) : 1.0;
  if (!std::isfinite(scaleX) || !std::isfinite(scaleY) || scaleX == 0 || scaleY == 0) return {};
  const double turn = transformed ? std::fmod(layer.Rotation, 360) * std::numbers::pi / 180 : 0.0;
  const double cosine = std::fabs(std::cos(turn));
  const double sine = std::fabs(std::sin(turn));
  const double halfWidth = scaleX * picture->Width / 2;
  const double halfHeight = scaleY * picture->Height / 2;
  const double reachX = scale * (halfWidth * cosine + halfHeight * sine);
  const double reachY = scale * (halfWidth * sine + halfHeight * cosine);
  const double centreX = static_cast<double>(scale) * layer.PosX;
  const double centreY = static_cast<double>(scale) * layer.PosY;
  return Box{ClampedFloor(centreX - reachX) - 1, ClampedFloor(centreY - reachY) - 1,
             ClampedCeil(centreX + reachX) + 1, ClampedCeil(centreY + reachY) + 1};
}

Box ClipBox(const SprDocument& sprite, const ActClip& clip, std::uint16_t versionWord, int scale) {
  Box box;
  for (const ActLayer& layer : clip.Layers) box = Union(box, LayerBox(sprite, layer, versionWord, scale));
  return box;
}

// The pixels of `canvas` with alpha above 0, as a box of canvas coordinates.
Box DrawnBox(const Image& canvas) {
  Box drawn;
  for (int y = 0; y < canvas.Height; ++y) {
    const Argb* row = &canvas.Pixels[static_cast<std::size_t>(y) * canvas.Width];
    int left = 0;
    while (left < canvas.Width && (row[left] >> 24) == 0) ++left;
    if (left == canvas.Width) continue;
    int right = canvas.Width;
    while ((row[right - 1] >> 24) == 0) --right;
    drawn = Union(drawn, Box{left, y, right, y + 1});
  }
  return drawn;
}

// The part of a clip holding pixels, and where it lies relative to the origin.
struct DrawnPart {
  Box Place;
  Image Pixels;
};

Image Cut(const Image& canvas, const Box& box) {
  Image part(static_cast<int>(box.Width()), static_cast<int>(box.Height()), 0);
  for (int y = 0; y < part.Height; ++y) {
    const auto from = canvas.Pixels.begin() + (box.Top + y) * canvas.Width + box.Left;
    std::copy_n(from, part.Width, part.Pixels.begin() + static_cast<std::ptrdiff_t>(y) * part.Width);
  }
  return part;
}

DrawnPart DrawClip(Image& canvas, const SprDocument& sprite, const ActClip& clip, std::uint16_t versionWord,
                   int scale, const Box& area) {
  canvas.Width = static_cast<int>(area.Width());
  canvas.Height = static_cast<int>(area.Height());
  canvas.Pixels.assign(static_cast<std::size_t>(area.Width() * area.Height()), 0);
  Preview::ComposeClip(canvas, sprite, clip, versionWord,
                       Preview::ClipPlacement{.OriginX = static_cast<int>(-area.Left),
                                              .OriginY = static_cast<int>(-area.Top),
                                              .Scale = scale,
                                              .Transparent = true});
  const Box drawn = DrawnBox(canvas);
  if (drawn.Empty()) return {};
  return DrawnPart{.Place = Box{drawn.Left + area.Left, drawn.Top + area.Top, drawn.Right + area.Left,
                                drawn.Bottom + area.Top},
                   .Pixels = Cut(canvas, drawn)};
}

Image Place(const DrawnPart& part, const Box& whole) {
  Image frame(static_cast<int>(whole.Width()), static_cast<int>(whole.Height()), 0);
  for (int y = 0; y < part.Pixels.Height; ++y) {
    const auto from = part.Pixels.Pixels.begin() + static_cast<std::ptrdiff_t>(y) * part.Pixels.Width;
    const std::int64_t at = (part.Place.Top - whole.Top + y) * whole.Width() + part.Place.Left - whole.Left;
    std::copy_n(from, part.Pixels.Width, frame.Pixels.begin() + at);
  }
  return frame;
}

Error ActionError(std::string text, std::string detail = {}) {
  return Error{.title = kActionExportTitle, .text = std::move(text), .detail = std::move(detail)};
}

// Checked on the area the layers can reach, before anything is allocated: the drawn
// rectangle lies inside it.
Status CheckSize(const Box& reach, std::size_t clips) {
  const bool sidesFit = reach.Width() <= kMaxSide && reach.Height() <= kMaxSide;
  if (sidesFit && reach.Width() * reach.Height() * static_cast<std::int64_t>(clips) <= kMaxPixels) return {};
  return ActionError("The action is too big to export.",
                     "Its layers reach over " + std::to_string(reach.Width()) + " x " +
                         std::to_string(reach.Height()) + " pixels in each of " + std::to_string(clips) +
                         " clip(s); at most 16384 a side and " + std::to_string(kMaxPixels) + " pixels in all.");
}

}  // namespace

Result<std::vector<Image>> ComposeAction(const SprDocument& sprite, const ActData& act, int action, int zoomStep) {
  const int count = static_cast<int>(act.Actions.size());
  if (action < 0 || action >= count) {
    return ActionError("The action file has no action " + std::to_string(action) + ".",
                       "It has " + std::to_string(count) + " action(s), counted from 0.");
  }
  const std::vector<ActClip>& clips = act.Actions[static_cast<std::size_t>(action)].Clips;
  if (clips.empty()) return ActionError("Action " + std::to_string(action) + " has no clips.");
  const int scale = Preview::Scale(zoomStep);
  std::vector<Box> areas;
  Box reach;
  for (const ActClip& clip : clips) {
    areas.push_back(ClipBox(sprite, clip, act.VersionWord, scale));
    reach = Union(reach, areas.back());
  }
  if (Status fits = CheckSize(reach, clips.size()); !fits) return fits.error();
  std::vector<DrawnPart> parts;
  Box whole;
  Image canvas;
  for (std::size_t index = 0; index < clips.size(); ++index) {
    parts.push_back(DrawClip(canvas, sprite, clips[index], act.VersionWord, scale, areas[index]));
    whole = Union(whole, parts.back().Place);
  }
  if (whole.Empty()) {
    return ActionError("Action " + std::to_string(action) + " draws nothing.",
                       "None of its layers shows a pixel of the sprite.");
  }
  std::vector<Image> frames;
  frames.reserve(parts.size());
  for (const DrawnPart& part : parts) frames.push_back(Place(part, whole));
  return frames;
}

}  // namespace tessaloom
