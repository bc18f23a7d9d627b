// Action files read. Malformed files are refused in limits/refusals_test.cpp, which
// also measures what refusing them costs.

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <bit>

#include "core/actions/tool_act.h"
#include "core/common/byte_writer.h"
#include "core/common/file_io.h"
#include "core/generators.h"
#include "support/temp_dir.h"

using namespace tessaloom;

namespace {

// What the reader makes of a file: the version word decides which fields the file has.
ActLayer LayerRead(const ActLayerFields& fields, std::uint16_t version) {
  ActLayer layer{.SpriteIndex = static_cast<std::int16_t>(fields.SpriteIndex), .Direction = fields.Direction,
                 .PosX = static_cast<std::int16_t>(fields.X), .PosY = static_cast<std::int16_t>(fields.Y)};
  if (version >= 0x0200) {
    layer.Red = fields.Red, layer.Green = fields.Green, layer.Blue = fields.Blue, layer.Alpha = fields.Alpha;
    layer.ScaleX = std::bit_cast<std::int32_t>(fields.ScaleX);
    layer.Rotation = fields.Rotation, layer.SpriteType = fields.SpriteType;
  }
  layer.ScaleY = version >= 0x0204 ? std::bit_cast<std::int32_t>(fields.ScaleY) : layer.ScaleX;
  if (version >= 0x0205) layer.SizeX = fields.SizeX, layer.SizeY = fields.SizeY;
  return layer;
}

ActClip ClipRead(const ActClipFields& fields, std::uint16_t version) {
  ActClip clip{.LayerCount = static_cast<std::int16_t>(fields.Layers.size())};
  for (const ActLayerFields& layer : fields.Layers) clip.Layers.push_back(LayerRead(layer, version));
  clip.Extra.EventIndex = version >= 0x0200 ? fields.EventIndex : -1;
  if (version >= 0x0203 && !fields.Anchors.empty()) {
    clip.Extra.ExtraCount = static_cast<std::int32_t>(fields.Anchors.size());
    clip.Extra.ExtraX = fields.Anchors[0].X, clip.Extra.ExtraY = fields.Anchors[0].Y;
  }
  return clip;
}

ActData FileRead(const ActFileFields& file) {
  const std::uint16_t version = file.VersionWord;
  ActData act{.ActionCount = static_cast<std::int16_t>(file.Actions.size()),
              .Version = static_cast<std::uint8_t>(version & 0xFF), .VersionWord = version};
  for (const ActActionFields& fields : file.Actions) {
    ActAction& action = act.Actions.emplace_back(ActAction{.ClipCount = static_cast<std::int16_t>(fields.Clips.size())});
    for (const ActClipFields& clip : fields.Clips) action.Clips.push_back(ClipRead(clip, version));
  }
  if (version >= 0x0201) act.Events = file.Events;
  if (version >= 0x0202) act.Intervals = file.Intervals;
  return act;
}

}  // namespace

// Whatever follows the last section is ignored.
RC_GTEST_PROP(ActFile, EveryLayoutReadsTheFieldsOfItsVersion, ()) {
  const ActFileFields file = *gen::ActFile();
  std::vector<std::uint8_t> bytes = BuildActFile(file);
  const auto junk = *rc::gen::arbitrary<std::vector<std::uint8_t>>();
  bytes.insert(bytes.end(), junk.begin(), junk.end());
  const auto act = Tool_Act::ParseActFile(bytes);
  RC_ASSERT(act.has_value());
  RC_ASSERT(*act == FileRead(file));
}

// One action, one clip, one layer, one anchor, no events, one interval, every byte
// written out here as the format lays it down.
TEST(ActFile, ReadsTheWorkedExampleFieldByField) {
  ByteWriter file;
  file.Bytes(std::vector<std::uint8_t>{'A', 'C', 0x05, 0x02, 0x01, 0x00});  // version 2.5, one action
  file.Bytes(std::vector<std::uint8_t>(10, 0xEE));                // reserved, not looked at
  file.I32(1);                                                    // clips
  file.Bytes(std::vector<std::uint8_t>(32, 0xEE));
  file.I32(1);                                                    // layers
  for (std::int32_t field : {-5, 7, 3, 1}) file.I32(field);       // x, y, sprite index, mirrored
  file.Bytes(std::vector<std::uint8_t>{0x11, 0x22, 0x33, 0x44});  // red, green, blue, alpha
  file.Bytes(std::vector<std::uint8_t>{0x00, 0x00, 0x80, 0x3F});  // scale x 1.0
  file.Bytes(std::vector<std::uint8_t>{0x00, 0x00, 0x00, 0x40});  // scale y 2.0
  for (std::int32_t field : {45, 0, 20, 30}) file.I32(field);     // rotation, indexed frame, width, height
  file.I32(-1);                                                   // no event
  file.I32(1);                                                    // anchors
  for (std::int32_t field : {0x7777, -8, 9, 0}) file.I32(field);  // anchor: unknown, x, y, attribute
  file.I32(0);                                                    // events
  file.Bytes(std::vector<std::uint8_t>{0x00, 0x00, 0x80, 0x40});  // interval 4.0
  ASSERT_EQ(file.Size(), 132u);

  ActLayer layer{.SpriteIndex = 3, .Direction = 1, .Red = 0x11, .Green = 0x22, .Blue = 0x33, .Alpha = 0x44,
                 .PosX = -5, .PosY = 7, .ScaleX = 0x3F800000, .ScaleY = 0x40000000, .SizeX = 20, .SizeY = 30,
                 .Rotation = 45};
  ActLayer extra{.ExtraCount = 1, .ExtraX = -8, .ExtraY = 9, .EventIndex = -1};
  const auto act = Tool_Act::ParseActFile(file.View());
  ASSERT_TRUE(act);
  EXPECT_EQ(*act, (ActData{.ActionCount = 1,
                           .Actions = {{.ClipCount = 1, .Clips = {{.LayerCount = 1, .Layers = {layer}, .Extra = extra}}}},
                           .Version = 5, .VersionWord = 0x0205, .Intervals = {4.0f}}));
}

// Only the two trailing sections may be cut short: their whole names and intervals load.
TEST(ActFile, EveryTruncationFailsCleanlyOrKeepsTheWholeActions) {
  const ActFileFields layout = RichActFile();
  const auto bytes = BuildActFile(layout);
  const ActData full = FileRead(layout);
  const std::size_t eventsAt = bytes.size() - (4 + 2 * 40 + 2 * 4);
  const std::size_t intervalsAt = bytes.size() - 2 * 4;
  for (std::size_t length = 0; length < bytes.size(); ++length) {
    SCOPED_TRACE(length);
    const auto act = Tool_Act::ParseActFile(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length)));
    if (length < eventsAt) {
      ASSERT_FALSE(act);
      EXPECT_EQ(act.error().title, "File Error");
      EXPECT_LE(act.error().offset, length);
      continue;
    }
    ASSERT_TRUE(act);
    EXPECT_EQ(act->Actions, full.Actions);
    const std::size_t names = length < eventsAt + 4 ? 0 : (length - eventsAt - 4) / 40;
    EXPECT_EQ(act->Events, std::vector<std::string>(layout.Events.begin(), layout.Events.begin() + names));
    const std::size_t floats = length < intervalsAt ? 0 : (length - intervalsAt) / 4;
    EXPECT_EQ(act->Intervals, std::vector<float>(layout.Intervals.begin(), layout.Intervals.begin() + floats));
  }
}

TEST(ActFile, ReadsFilesAndNamesTheFileInErrors) {
  TempDir dir;
  const auto bytes = BuildActFile(RichActFile());
  ASSERT_TRUE(WriteFileAtomically(dir / "hero.act", bytes, "test"));
  const auto read = Tool_Act::ReadActFile(dir / "hero.act");
  ASSERT_TRUE(read);
  EXPECT_EQ(*read, FileRead(RichActFile()));

  ASSERT_TRUE(WriteFileAtomically(dir / "broken.act", std::span(bytes).first(40), "test"));
  for (const char* name : {"broken.act", "missing.act"}) {
    const auto act = Tool_Act::ReadActFile(dir / name);
    ASSERT_FALSE(act);
    EXPECT_EQ(act.error().text, "It was an error trying to open the file");
    EXPECT_NE(act.error().detail.find(name), std::string::npos) << act.error().detail;
  }
}
