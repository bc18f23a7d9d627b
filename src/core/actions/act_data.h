#pragma once
// An action file in memory: actions, each a sequence of clips, each a stack of
// layers that place sprite frames. Counts are the file's; after a successful read
// every vector holds exactly its count of elements.

#include <bit>
#include <cstdint>
#include <string>
#include <vector>

namespace tessaloom {

struct ActLayer {
  std::int16_t SpriteIndex = 0;  // zero-based frame; -1 (or any index outside the sprite) draws nothing
  std::int32_t Direction = 0;    // mirror flag, as stored
  std::uint8_t Red = 0;
  std::uint8_t Green = 0;
  std::uint8_t Blue = 0;
  std::uint8_t Alpha = 0;
  std::int32_t ExtraCount = 0;   // clip's anchor count; set only in a clip's Extra slot
  std::int16_t PosX = 0;
  std::int16_t PosY = 0;
  std::int32_t ScaleX = 0;       // raw bits of the stored float (1.0 reads 1065353216)
  std::int32_t ScaleY = 0;
  std::int32_t SizeX = 0;
  std::int32_t SizeY = 0;
  std::int32_t ExtraX = 0;       // first anchor's x; set only in a clip's Extra slot
  std::int32_t ExtraY = 0;       // first anchor's y; set only in a clip's Extra slot
  std::int32_t Rotation = 0;     // degrees
  std::int32_t SpriteType = 0;   // 0 indexed frame, 1 32-bit colour frame
  std::int32_t EventIndex = 0;   // clip's event, -1 for none; set only in a clip's Extra slot

  bool operator==(const ActLayer&) const = default;
};

struct ActClip {
  std::int16_t LayerCount = 0;
  std::vector<ActLayer> Layers;
  ActLayer Extra;  // per-clip data (anchor, event); not a layer and never drawn

  bool operator==(const ActClip&) const = default;
};

struct ActAction {
  std::int16_t ClipCount = 0;
  std::vector<ActClip> Clips;

  bool operator==(const ActAction&) const = default;
};

struct ActData {
  std::int16_t ActionCount = 0;
  std::vector<ActAction> Actions;
  std::uint8_t Version = 0;          // file byte 2, the minor version ("Version : 5")
  std::uint16_t VersionWord = 0;     // major * 256 + minor; decides the layout (0x0205 is 2.5)
  std::vector<std::string> Events;   // event names (sound files, "atk"), from 2.1 on
  std::vector<float> Intervals;      // per action, frame interval in units of 25 ms, from 2.2 on

  bool operator==(const ActData&) const = default;
};

// The float a raw scale field stores (1065353216 is 1.0).
inline float ScaleValue(std::int32_t bits) { return std::bit_cast<float>(bits); }

// Action `action`'s frame interval in units of 25 ms: the file's, or 4 (100 ms) when
// the file has none for it or stores one that is not a positive finite number.
float ActionInterval(const ActData& act, int action);

}  // namespace tessaloom
