#include "support/act_bytes.h"

#include <algorithm>
#include <bit>

namespace tessaloom {
namespace {

constexpr std::uint16_t kV20 = 0x0200, kV21 = 0x0201, kV22 = 0x0202, kV23 = 0x0203, kV24 = 0x0204, kV25 = 0x0205;
constexpr std::size_t kEventNameSize = 40;

std::int32_t FloatBits(float value) { return std::bit_cast<std::int32_t>(value); }

}  // namespace

ActBytes& ActBytes::Header(std::int16_t actionCount, std::string_view magic) {
  m_writer.Text(magic);
  m_writer.U8(static_cast<std::uint8_t>(m_version & 0xFF));
  m_writer.U8(static_cast<std::uint8_t>(m_version >> 8));
  m_writer.I16(actionCount);
  m_writer.Bytes(std::vector<std::uint8_t>(10, 0));
  return *this;
}

ActBytes& ActBytes::ClipCount(std::int32_t count) { return I32(count); }

ActBytes& ActBytes::ClipStart(std::int32_t layerCount) {
  m_writer.Bytes(std::vector<std::uint8_t>(32, 0));
  return I32(layerCount);
}

ActBytes& ActBytes::Layer(const ActLayerFields& layer) {
  I32(layer.X).I32(layer.Y).I32(layer.SpriteIndex).I32(layer.Direction);
  if (m_version >= kV20) {
    m_writer.Bytes(std::vector<std::uint8_t>{layer.Red, layer.Green, layer.Blue, layer.Alpha});
    I32(FloatBits(layer.ScaleX));
  }
  if (m_version >= kV24) I32(FloatBits(layer.ScaleY));
  if (m_version >= kV20) I32(layer.Rotation).I32(layer.SpriteType);
  if (m_version >= kV25) I32(layer.SizeX).I32(layer.SizeY);
  return *this;
}

ActBytes& ActBytes::ClipEnd(std::int32_t eventIndex, std::span<const ActAnchorFields> anchors) {
  return ClipEnd(eventIndex, static_cast<std::int32_t>(anchors.size()), anchors);
}

ActBytes& ActBytes::ClipEnd(std::int32_t eventIndex, std::int32_t anchorCount,
                            std::span<const ActAnchorFields> anchors) {
  if (m_version >= kV20) I32(eventIndex);
  if (m_version < kV23) return *this;
  I32(anchorCount);
  for (const ActAnchorFields& anchor : anchors) I32(anchor.Unknown).I32(anchor.X).I32(anchor.Y).I32(anchor.Attribute);
  return *this;
}

ActBytes& ActBytes::Events(std::int32_t count, std::span<const std::string> names) {
  I32(count);
  for (const std::string& name : names) {
    std::vector<std::uint8_t> padded(kEventNameSize, 0);
    std::copy_n(name.begin(), std::min(name.size(), kEventNameSize), padded.begin());
    m_writer.Bytes(padded);
  }
  return *this;
}

ActBytes& ActBytes::Intervals(std::span<const float> intervals) {
  for (float interval : intervals) I32(FloatBits(interval));
  return *this;
}

ActBytes& ActBytes::I32(std::int32_t value) { m_writer.I32(value); return *this; }

ActBytes& ActBytes::Raw(std::span<const std::uint8_t> bytes) { m_writer.Bytes(bytes); return *this; }

std::vector<std::uint8_t> BuildActFile(const ActFileFields& file) {
  ActBytes bytes(file.VersionWord);
  bytes.Header(static_cast<std::int16_t>(file.Actions.size()));
  for (const ActActionFields& action : file.Actions) {
    bytes.ClipCount(static_cast<std::int32_t>(action.Clips.size()));
    for (const ActClipFields& clip : action.Clips) {
      bytes.ClipStart(static_cast<std::int32_t>(clip.Layers.size()));
      for (const ActLayerFields& layer : clip.Layers) bytes.Layer(layer);
      bytes.ClipEnd(clip.EventIndex, clip.Anchors);
    }
  }
  if (file.VersionWord >= kV21) bytes.Events(static_cast<std::int32_t>(file.Events.size()), file.Events);
  if (file.VersionWord >= kV22) bytes.Intervals(file.Intervals);
  return bytes.Take();
}

ActFileFields RichActFile(std::uint16_t versionWord) {
  const ActLayerFields plain{.X = -12, .Y = 30, .SpriteIndex = 1};
  const ActLayerFields styled{.X = 5, .Y = -7, .SpriteIndex = -1, .Direction = 1, .Red = 10, .Green = 20, .Blue = 30,
                              .Alpha = 128, .ScaleX = 1.5f, .ScaleY = 0.5f, .Rotation = 90, .SpriteType = 1,
                              .SizeX = 40, .SizeY = 60};
  return {.VersionWord = versionWord,
          .Actions = {{.Clips = {{.Layers = {plain}}, {.EventIndex = 0, .Anchors = {{.X = 3, .Y = -4}}}}},
                      {.Clips = {{.Layers = {styled, plain}, .EventIndex = 1,
                                  .Anchors = {{.X = 1}, {.Y = 2, .Attribute = 7}}}}}},
          .Events = {"atk", "effect\\hit.wav"},
          .Intervals = {4.0f, 0.25f}};
}

ActFileFields OffsetClipsActFile() {
  return {.Actions = {{.Clips = {{.Layers = {{.SpriteIndex = 0}}}, {.Layers = {{.X = 5, .Y = 3, .SpriteIndex = 1}}}}},
                      {}},
          .Intervals = {3.0f, 4.0f}};
}

}  // namespace tessaloom
