// Action files read. Malformed ones are refused in limits/refusals_test.cpp.

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <bit>

#include "core/actions/tool_act.h"
#include "core/common/byte_writer.h"
#include "core/generators.h"

using namespace tessaloom;
using Bytes = std::vector<std::uint8_t>;

namespace {

// What the reader makes of a file built from `file`: its version word decides which
// fields the file holds; the others read 0, the scale y that of x, the event -1.
ActData FileRead(const ActFileFields& file) {
  const std::uint16_t version = file.VersionWord;
  ActData act{.ActionCount = static_cast<std::int16_t>(file.Actions.size()),
              .Version = static_cast<std::uint8_t>(version & 0xFF), .VersionWord = version,
              .Events = version >= 0x0201 ? file.Events : std::vector<std::string>{},
              .Intervals = version >= 0x0202 ? file.Intervals : std::vector<float>{}};
  for (const ActActionFields& action : file.Actions) {
    ActAction& read = act.Actions.emplace_back(ActAction{.ClipCount = static_cast<std::int16_t>(action.Clips.size())});
    for (const ActClipFields& clip : action.Clips) {
      ActClip& clipRead = read.Clips.emplace_back(ActClip{.LayerCount = static_cast<std::int16_t>(clip.Layers.size())});
      for (const ActLayerFields& f : clip.Layers) {
        ActLayer layer{.SpriteIndex = static_cast<std::int16_t>(f.SpriteIndex), .Direction = f.Direction,
                       .PosX = static_cast<std::int16_t>(f.X), .PosY = static_cast<std::int16_t>(f.Y)};
        if (version >= 0x0200) {
          layer.Red = f.Red, layer.Green = f.Green, layer.Blue = f.Blue, layer.Alpha = f.Alpha;
          layer.ScaleX = std::bit_cast<std::int32_t>(f.ScaleX), layer.Rotation = f.Rotation, layer.SpriteType = f.SpriteType;
        }
        layer.ScaleY = version >= 0x0204 ? std::bit_cast<std::int32_t>(f.ScaleY) : layer.ScaleX;
        if (version >= 0x0205) layer.SizeX = f.SizeX, layer.SizeY = f.SizeY;
        clipRead.Layers.push_back(layer);
      }
      clipRead.Extra.EventIndex = version >= 0x0200 ? clip.EventIndex : -1;
      if (version >= 0x0203 && !clip.Anchors.empty()) {
        clipRead.Extra.ExtraCount = static_cast<std::int32_t>(clip.Anchors.size());
        clipRead.Extra.ExtraX = clip.Anchors[0].X, clipRead.Extra.ExtraY = clip.Anchors[0].Y;
      }
    }
  }
  return act;
}

}  // namespace

// Whatever follows the last section is ignored.
RC_GTEST_PROP(ActFile, EveryLayoutReadsTheFieldsOfItsVersion, ()) {
  const ActFileFields file = *gen::ActFile();
  Bytes bytes = BuildActFile(file);
  const auto junk = *rc::gen::arbitrary<Bytes>();
  bytes.insert(bytes.end(), junk.begin(), junk.end());
  const auto act = Tool_Act::ParseActFile(bytes);
  RC_ASSERT(act.has_value());
  RC_ASSERT(*act == FileRead(file));
}

// One action, one clip, one layer, one anchor, no events, one interval, every byte
// written out as the format lays it down: the builder above rests on it.
TEST(ActFile, ReadsTheWorkedExampleFieldByField) {
  ByteWriter file;
  file.Bytes(Bytes{'A', 'C', 0x05, 0x02, 0x01, 0x00});  // version 2.5, one action
  file.Bytes(Bytes(10, 0xEE));                           // reserved, not looked at
  file.I32(1);                                           // clips
  file.Bytes(Bytes(32, 0xEE));
  // layers; x, y, sprite index, mirrored; red, green, blue, alpha; scale x 1.0, y 2.0;
  // rotation, indexed frame, width, height; no event; anchors; unknown, x, y, attribute; events
  for (std::int32_t field : {1, -5, 7, 3, 1, 0x44332211, 0x3F800000, 0x40000000, 45, 0, 20, 30, -1, 1, 0x7777, -8, 9, 0, 0}) {
    file.I32(field);
  }
  file.Bytes(Bytes{0x00, 0x00, 0x80, 0x40});  // interval 4.0
  const ActLayer layer{.SpriteIndex = 3, .Direction = 1, .Red = 0x11, .Green = 0x22, .Blue = 0x33, .Alpha = 0x44,
                       .PosX = -5, .PosY = 7, .ScaleX = 0x3F800000, .ScaleY = 0x40000000, .SizeX = 20, .SizeY = 30,
                       .Rotation = 45};
  const ActLayer extra{.ExtraCount = 1, .ExtraX = -8, .ExtraY = 9, .EventIndex = -1};
  const auto act = Tool_Act::ParseActFile(file.View());
  ASSERT_TRUE(act);
  EXPECT_EQ(*act, (ActData{.ActionCount = 1, .Actions = {{.ClipCount = 1, .Clips = {{1, {layer}, extra}}}},
                           .Version = 5, .VersionWord = 0x0205, .Intervals = {4.0f}}));
}

// Only the two trailing sections may be cut short: their whole names and intervals load.
TEST(ActFile, EveryTruncationFailsCleanlyOrKeepsTheWholeActions) {
  const ActFileFields layout = RichActFile();
  const Bytes bytes = BuildActFile(layout);
  const std::size_t eventsAt = bytes.size() - (4 + 2 * 40 + 2 * 4), intervalsAt = bytes.size() - 2 * 4;
  for (std::size_t length = 0; length < bytes.size(); ++length) {
    const auto act = Tool_Act::ParseActFile(Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length)));
    ASSERT_EQ(act.has_value(), length >= eventsAt) << length;
    if (!act) {
      EXPECT_LE(act.error().offset, length);
      continue;
    }
    ActFileFields kept = layout;
    kept.Events.resize(length < eventsAt + 4 ? 0 : (length - eventsAt - 4) / 40);
    kept.Intervals.resize(length < intervalsAt ? 0 : (length - intervalsAt) / 4);
    EXPECT_EQ(*act, FileRead(kept)) << length;
  }
}
