#include "core/convert/converter_gif.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "core/common/byte_writer.h"
#include "core/common/file_io.h"
#include "core/convert/gif_colour_table.h"
#include "core/convert/gif_frame_delta.h"
#include "core/convert/gif_lzw.h"
#include "core/convert/gif_lzw_compact.h"
#include "core/sprite/palette.h"

namespace tessaloom::Converter_Gif {
namespace {

constexpr char kExportTitle[] = "Export error";
constexpr std::uint8_t kGlobalTable = 0xF0;  // with 8-bit colour; its size in the low bits
constexpr std::uint8_t kNoLocalTable = 0x07;
constexpr std::uint8_t kRestoreTransparent = 0x09;
constexpr std::uint8_t kRestoreOpaque = 0x08;
constexpr std::uint8_t kKeep = 0x04;
constexpr std::uint8_t kHasTransparent = 0x01;
constexpr std::uint16_t kOneSecond = 100;
constexpr std::uint8_t kMinCodeSize = 8;
constexpr std::uint8_t kTrailer = 0x3B;
constexpr std::size_t kMaxGifSide = 0xFFFF;

struct ImageSize {
  int Width = 0;
  int Height = 0;
};

void PutScreen(ByteWriter& out, std::string_view version, ImageSize screen, const SprHeader& header,
               const GifColourTable& table) {
  out.Text(version);
  out.U16(static_cast<std::uint16_t>(screen.Width));
  out.U16(static_cast<std::uint16_t>(screen.Height));
  out.U8(static_cast<std::uint8_t>(kGlobalTable | (table.SizeBits() - 1)));
  out.U8(0);  // background index
  out.U8(0);  // aspect ratio
  table.Put(header, out);
}

void PutGraphicControl(ByteWriter& out, std::uint8_t packed, std::uint16_t delay, std::uint8_t transparent = 0) {
  out.Bytes(std::to_array<std::uint8_t>({0x21, 0xF9, 4, packed}));
  out.U16(delay);
  out.U8(transparent);
  out.U8(0);  // terminator
}

void PutLoopForever(ByteWriter& out) {
  out.Bytes(std::to_array<std::uint8_t>({0x21, 0xFF, 11}));
  out.Text("NETSCAPE2.0");
  out.Bytes(std::to_array<std::uint8_t>({3, 1, 0, 0, 0}));
}

// The coders' tables take over a megabyte, too much to allocate and clear for every
// picture of a batch, so each thread keeps one of each. An image leaves them as it
// found them, and no image is coded inside another.
GifImageCoder& PlainCoder() {
  thread_local GifImageCoder coder;
  return coder;
}

GifCompactCoder& CompactCoder() {
  thread_local GifCompactCoder coder;
  return coder;
}

void PutImageDescriptor(ByteWriter& out, const StoredImage& image, int left, int top) {
  out.U8(0x2C);
  out.U16(static_cast<std::uint16_t>(left));
  out.U16(static_cast<std::uint16_t>(top));
  out.U16(static_cast<std::uint16_t>(image.Width));
  out.U16(static_cast<std::uint16_t>(image.Height));
  out.U8(kNoLocalTable);
}

void PutPlainImage(ByteWriter& out, const StoredImage& image) {
  PutImageDescriptor(out, image, 0, 0);
  out.U8(kMinCodeSize);
  PlainCoder().CodeImage(image, out);
  out.U8(0);
}

// `image` holds indices of `table`.
void PutCompactImage(ByteWriter& out, const StoredImage& image, const GifColourTable& table, int left = 0,
                     int top = 0) {
  PutImageDescriptor(out, image, left, top);
  out.U8(static_cast<std::uint8_t>(table.MinCodeSize()));
  CompactCoder().CodeImage(image, table.MinCodeSize(), out);
  out.U8(0);
}

// A frame of negative size (never made by this system) is coded as an empty one.
ImageSize SizeOf(const SprFrame& frame) {
  return ImageSize{.Width = std::max<int>(frame.Width, 0), .Height = std::max<int>(frame.Height, 0)};
}

std::size_t AnimatedStride(const SprFrame& frame) {
  return Converter_Gif::AnimatedStride(frame.Width, frame.Height, frame.Pixels.size());
}

// Called only for frames whose stride AnimatedScreen has accepted.
StoredImage AnimatedImage(const SprFrame& frame) {
  const std::size_t stride = AnimatedStride(frame);
  return StoredImage{
      .Pixels = frame.Pixels, .Stride = stride, .Width = static_cast<int>(stride), .Height = SizeOf(frame).Height};
}

Result<ImageSize> AnimatedScreen(std::span<const SprFrame> frames) {
  ImageSize screen;
  for (std::size_t index = 0; index < frames.size(); ++index) {
    const std::size_t stride = AnimatedStride(frames[index]);
    if (stride > kMaxGifSide) return FrameTooWideError(index + 1, stride);
    screen.Width = std::max(screen.Width, static_cast<int>(stride));
    screen.Height = std::max(screen.Height, SizeOf(frames[index]).Height);
  }
  return screen;
}

Error NoPaletteError() {
  return Error{.title = kExportTitle,
               .text = "The sprite has no palette: an animated GIF cannot be written without colours"};
}

Result<std::vector<std::uint8_t>> EncodeAnimation(const SprHeader& header, const AnimationSettings& settings,
                                                  std::span<const StoredImage> images,
                                                  const FrameCallback& beforeEachFrame) {
  std::vector<std::uint8_t> bytes;
  const ByteSink collect = [&bytes](std::span<const std::uint8_t> piece) -> Status {
    bytes.insert(bytes.end(), piece.begin(), piece.end());
    return {};
  };
  auto encoder = AnimationEncoder::Start(header, settings, collect);
  if (!encoder) return encoder.error();
  for (const StoredImage& image : images) {
    if (beforeEachFrame && !beforeEachFrame()) return Error{.title = kExportTitle, .text = kCancelledText};
    if (Status added = encoder->Add(image); !added) return added.error();
  }
  if (Status finished = encoder->Finish(); !finished) return finished.error();
  return bytes;
}

}  // namespace

std::vector<std::uint8_t> EncodeGif(const SprHeader& header, const SprFrame& frame, bool transparent,
                                    GifCoding coding) {
  const ImageSize size = SizeOf(frame);
  const bool compact = coding == GifCoding::Compact;
  UsedIndices used;
  if (compact) AddUsedIndices(frame.Pixels, used);
  const GifColourTable table = compact ? GifColourTable::Compact(used, false) : GifColourTable::Full();
  ByteWriter out;
  PutScreen(out, transparent ? "GIF89a" : "GIF87a", size, header, table);
  if (transparent) PutGraphicControl(out, kRestoreTransparent, 0);
  StoredImage image{.Pixels = frame.Pixels,
                    .Stride = static_cast<std::size_t>(RowStride(size.Width)),
                    .Width = size.Width,
                    .Height = size.Height};
  if (compact) {
    std::vector<std::uint8_t> translated;
    table.Translate(frame.Pixels, translated);
    image.Pixels = translated;
    PutCompactImage(out, image, table);
  } else {
    PutPlainImage(out, image);
  }
  out.U8(kTrailer);
  return out.Take();
}

Result<std::vector<std::uint8_t>> EncodeAnimatedGif(const SprHeader& header, std::span<const SprFrame> frames,
                                                    bool transparent, GifCoding coding,
                                                    const FrameCallback& beforeEachFrame) {
  auto screen = AnimatedScreen(frames);
  if (!screen) return screen.error();
  std::vector<StoredImage> images;
  images.reserve(frames.size());
  UsedIndices used;
  for (const SprFrame& frame : frames) {
    images.push_back(AnimatedImage(frame));
    if (coding == GifCoding::Compact) AddUsedIndices(frame.Pixels, used);
  }
  return EncodeAnimation(header,
                         AnimationSettings{.Width = screen->Width, .Height = screen->Height,
                                           .Transparent = transparent, .Delay = kOneSecond, .Coding = coding,
                                           .Used = used},
                         images, beforeEachFrame);
}

Result<std::vector<std::uint8_t>> EncodeIndexedAnimation(const SprHeader& header, const IndexedAnimation& animation) {
  const ImageSize screen{.Width = std::max(animation.Width, 0), .Height = std::max(animation.Height, 0)};
  std::vector<StoredImage> images;
  images.reserve(animation.Frames.size());
  for (const std::vector<std::uint8_t>& pixels : animation.Frames) {
    images.push_back(StoredImage{.Pixels = pixels,
                                 .Stride = static_cast<std::size_t>(screen.Width),
                                 .Width = screen.Width,
                                 .Height = screen.Height});
  }
  return EncodeAnimation(
      header, AnimationSettings{.Width = screen.Width, .Height = screen.Height, .Delay = animation.Delay}, images, {});
}

AnimationEncoder::AnimationEncoder(const AnimationSettings& settings, ByteSink sink)
    : m_settings(settings),
      m_sink(std::move(sink)),
      m_table(settings.Coding == GifCoding::Compact ? GifColourTable::Compact(settings.Used, !settings.Transparent)
                                                    : GifColourTable::Full()) {
  if (settings.Coding == GifCoding::Compact) m_delta.emplace(settings.Width, settings.Height, settings.Transparent, m_table);
}

Result<AnimationEncoder> AnimationEncoder::Start(const SprHeader& header, const AnimationSettings& settings,
                                                 ByteSink sink) {
  if (header.Palette.empty()) return NoPaletteError();
  if (settings.Width > static_cast<int>(kMaxGifSide) || settings.Height > static_cast<int>(kMaxGifSide)) {
    return Error{.title = kExportTitle,
                 .text = "The animation is too big for a GIF image",
                 .detail = std::to_string(settings.Width) + " x " + std::to_string(settings.Height) +
                           " pixels; at most 65535 a side"};
  }
  AnimationEncoder encoder(settings, std::move(sink));
  PutScreen(encoder.m_out, "GIF89a",
            ImageSize{.Width = std::max(settings.Width, 0), .Height = std::max(settings.Height, 0)}, header,
            encoder.m_table);
  PutLoopForever(encoder.m_out);
  return encoder;
}

Status AnimationEncoder::Add(const StoredImage& image) {
  if (m_delta) {
    auto changed = m_delta->Next(image);
    if (!changed) return changed.error();
    if (*changed) PutDeltaFrame(**changed);
  } else {
    PutGraphicControl(m_out, m_settings.Transparent ? kRestoreTransparent : kRestoreOpaque, m_settings.Delay);
    PutPlainImage(m_out, image);
  }
  return Flush();
}

Status AnimationEncoder::Finish() {
  if (m_delta) {
    if (auto changed = m_delta->Last()) PutDeltaFrame(*changed);
  }
  m_out.U8(kTrailer);
  return Flush();
}

void AnimationEncoder::PutDeltaFrame(const DeltaFrame& frame) {
  const std::uint8_t packed = (frame.Restore ? kRestoreOpaque : kKeep) | (frame.Transparent ? kHasTransparent : 0);
  PutGraphicControl(m_out, packed, m_settings.Delay, frame.Transparent.value_or(0));
  PutCompactImage(m_out, frame.Image(), m_table, frame.Left, frame.Top);
}

Status AnimationEncoder::Flush() {
  const std::vector<std::uint8_t> bytes = m_out.Take();
  m_out = ByteWriter{};
  return m_sink(bytes);
}

Status WriteGif(const SprHeader& header, const SprFrame& frame, const std::filesystem::path& path,
                bool transparent, GifCoding coding) {
  return WriteFileAtomically(path, EncodeGif(header, frame, transparent, coding), kExportTitle);
}

Status WriteAnimatedGif(const SprHeader& header, std::span<const SprFrame> frames,
                        const std::filesystem::path& path, bool transparent) {
  auto bytes = EncodeAnimatedGif(header, frames, transparent);
  if (!bytes) return bytes.error();
  return WriteFileAtomically(path, *bytes, kExportTitle);
}

// For a caller that reads the frames of an animation one at a time.

Error FrameTooWideError(std::size_t number, std::size_t stride) {
  return Error{.title = kExportTitle,
               .text = "A frame is too wide for a GIF image",
               .detail = "frame " + std::to_string(number) + " has rows of " + std::to_string(stride) +
                         " pixels; at most 65535"};
}

std::size_t AnimatedStride(int width, int height, std::size_t pixelsLength) {
  const auto columns = static_cast<std::size_t>(std::max(width, 0));
  const auto rows = static_cast<std::size_t>(std::max(height, 0));
  if (rows == 0) return columns;
  return std::max(columns, (pixelsLength + rows - 1) / rows);
}

}  // namespace tessaloom::Converter_Gif
