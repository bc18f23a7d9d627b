#pragma once
// Action file images written byte by byte from the format's rules, for any version
// word, so that tests, fuzz seeds and the demo generator can make real files.
//
// ActBytes writes one field group at a time and leaves every count to the caller,
// so a test can also write files that lie about their counts or stop anywhere.
// BuildActFile writes a whole well-formed file from a description.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/common/byte_writer.h"

namespace tessaloom {

struct ActAnchorFields {
  std::int32_t Unknown = 0, X = 0, Y = 0, Attribute = 0;
};

// Every field a layer can have; the version decides which are written.
struct ActLayerFields {
  std::int32_t X = 0, Y = 0, SpriteIndex = 0, Direction = 0;
  std::uint8_t Red = 255, Green = 255, Blue = 255, Alpha = 255;
  float ScaleX = 1.0f, ScaleY = 1.0f;
  std::int32_t Rotation = 0, SpriteType = 0, SizeX = 0, SizeY = 0;
};

struct ActClipFields {
  std::vector<ActLayerFields> Layers;
  std::int32_t EventIndex = -1;
  std::vector<ActAnchorFields> Anchors;
};

struct ActActionFields {
  std::vector<ActClipFields> Clips;
};

struct ActFileFields {
  std::uint16_t VersionWord = 0x0205;  // major * 256 + minor
  std::vector<ActActionFields> Actions;
  std::vector<std::string> Events;     // written from 2.1 on
  std::vector<float> Intervals;        // written from 2.2 on, one per action
};

class ActBytes {
 public:
  explicit ActBytes(std::uint16_t versionWord) : m_version(versionWord) {}

  // Magic, minor and major version bytes, action count, 10 reserved bytes.
  ActBytes& Header(std::int16_t actionCount, std::string_view magic = "AC");
  ActBytes& ClipCount(std::int32_t count);
  // The 32 reserved bytes of a clip and its layer count.
  ActBytes& ClipStart(std::int32_t layerCount);
  ActBytes& Layer(const ActLayerFields& layer);
  // The event index (from 2.0) and the anchors with their count (from 2.3).
  ActBytes& ClipEnd(std::int32_t eventIndex, std::span<const ActAnchorFields> anchors);
  // The same with an anchor count that need not match the anchors written.
  ActBytes& ClipEnd(std::int32_t eventIndex, std::int32_t anchorCount, std::span<const ActAnchorFields> anchors);
  // Event count and the names, each zero-padded to 40 bytes.
  ActBytes& Events(std::int32_t count, std::span<const std::string> names);
  ActBytes& Intervals(std::span<const float> intervals);
  ActBytes& I32(std::int32_t value);
  ActBytes& Raw(std::span<const std::uint8_t> bytes);

  std::size_t Size() const { return m_writer.Size(); }
  std::vector<std::uint8_t> Take() { return m_writer.Take(); }

 private:
  std::uint16_t m_version;
  ByteWriter m_writer;
};

// A complete file: every section the version has, counts taken from the vectors.
std::vector<std::uint8_t> BuildActFile(const ActFileFields& file);

// Two actions with every shape of layer and clip trailer the version has: clips with
// no layer, one and two, zero, one and two anchors, two events and two intervals.
ActFileFields RichActFile(std::uint16_t versionWord = 0x0205);

// An action to export: action 0 has two clips, each one plain layer, showing frame 0
// at (0, 0) and frame 1 at (5, 3), with an interval of 3 (75 ms); action 1 has no clip.
ActFileFields OffsetClipsActFile();

}  // namespace tessaloom
