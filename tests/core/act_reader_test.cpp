#include <gtest/gtest.h>

#include <bit>

#include "core/actions/tool_act.h"
#include "core/common/byte_writer.h"
#include "core/common/file_io.h"
#include "support/act_bytes.h"
#include "support/temp_dir.h"

using namespace tessaloom;

namespace {

void ExpectFileError(const Result<ActData>& act, const std::string& detailPart = "") {
  ASSERT_FALSE(act);
  EXPECT_EQ(act.error().title, "File Error");
  EXPECT_EQ(act.error().text, "It was an error trying to open the file");
  EXPECT_FALSE(act.error().detail.empty());
  EXPECT_NE(act.error().detail.find(detailPart), std::string::npos) << act.error().detail;
}

ActLayerFields DistinctLayer() {
  return ActLayerFields{.X = -12, .Y = 34, .SpriteIndex = 7, .Direction = 1, .Red = 10, .Green = 20,
                      .Blue = 30, .Alpha = 40, .ScaleX = 1.5f, .ScaleY = 0.5f, .Rotation = 90,
                      .SpriteType = 1, .SizeX = 64, .SizeY = 48};
}

// A 2.5 file using every section: two actions, clips with and without layers and
// anchors, two events and two intervals.
ActFileFields RichFile() {
  ActLayerFields second = DistinctLayer();
  second.X = 100;
  second.SpriteIndex = -1;
  return {.VersionWord = 0x0205,
          .Actions = {{.Clips = {{.Layers = {DistinctLayer(), second}, .EventIndex = 0, .Anchors = {{0, 5, -6, 0}}},
                                 {.Layers = {}, .EventIndex = -1, .Anchors = {}}}},
                      {.Clips = {{.Layers = {second}, .EventIndex = 1, .Anchors = {{0, 1, 2, 0}, {0, 3, 4, 0}}}}}},
          .Events = {"atk", "effect\\hit.wav"},
          .Intervals = {4.0f, 6.0f}};
}

}  // namespace

TEST(ActReader, RefusesFilesThatDoNotBeginWithAC) {
  for (const char* magic : {"AB", "ac", "CA"}) {
    ExpectFileError(Tool_Act::ParseActFile(ActBytes(0x0205).Header(0, magic).Take()), "\"AC\"");
  }
  ExpectFileError(Tool_Act::ParseActFile({}));
  ExpectFileError(Tool_Act::ParseActFile(std::vector<std::uint8_t>{'A'}));
  ExpectFileError(Tool_Act::ParseActFile(std::vector<std::uint8_t>{'A', 'C', 5, 2}), "header");
}

// The layout follows the whole version word while Version keeps the minor byte: 1.5 is
// an old file with 16-byte layers, not a 2.5 one.
TEST(ActReader, LayerSizeAndFieldsFollowTheWholeVersionWord) {
  struct Case {
    std::uint16_t version;
    std::size_t layerSize;
    std::size_t clipTrailerSize;
  };
  for (const Case& c : {Case{0x0100, 16, 0}, Case{0x0105, 16, 0}, Case{0x0200, 32, 4}, Case{0x0203, 32, 8 + 16},
                        Case{0x0204, 36, 8 + 16}, Case{0x0205, 44, 8 + 16}}) {
    SCOPED_TRACE(c.version);
    const auto bytes = BuildActFile({.VersionWord = c.version,
                                     .Actions = {{.Clips = {{.Layers = {DistinctLayer(), DistinctLayer()},
                                                             .EventIndex = 3, .Anchors = {{9, 11, -22, 1}}}}}},
                                     .Intervals = {4.0f}});
    const std::size_t events = c.version >= 0x0201 ? 4 : 0;
    const std::size_t intervals = c.version >= 0x0202 ? 4 : 0;
    ASSERT_EQ(bytes.size(), 16 + 4 + 36 + 2 * c.layerSize + c.clipTrailerSize + events + intervals);

    auto act = Tool_Act::ParseActFile(bytes);
    ASSERT_TRUE(act);
    EXPECT_EQ(act->Version, c.version & 0xFF);
    EXPECT_EQ(act->VersionWord, c.version);
    const ActClip& clip = act->Actions.at(0).Clips.at(0);
    ASSERT_EQ(clip.LayerCount, 2);
    ASSERT_EQ(clip.Layers.size(), 2u);
    const ActLayer& layer = clip.Layers[1];
    EXPECT_EQ(layer.PosX, -12);
    EXPECT_EQ(layer.PosY, 34);
    EXPECT_EQ(layer.SpriteIndex, 7);
    EXPECT_EQ(layer.Direction, 1);
    const bool styled = c.version >= 0x0200;
    EXPECT_EQ(layer.Red, styled ? 10 : 0);
    EXPECT_EQ(layer.Alpha, styled ? 40 : 0);
    EXPECT_EQ(layer.ScaleX, styled ? std::bit_cast<std::int32_t>(1.5f) : 0);
    EXPECT_EQ(layer.ScaleY, c.version >= 0x0204 ? std::bit_cast<std::int32_t>(0.5f) : layer.ScaleX);
    EXPECT_EQ(layer.Rotation, styled ? 90 : 0);
    EXPECT_EQ(layer.SpriteType, styled ? 1 : 0);
    EXPECT_EQ(layer.SizeX, c.version >= 0x0205 ? 64 : 0);
    EXPECT_EQ(layer.SizeY, c.version >= 0x0205 ? 48 : 0);

    EXPECT_EQ(clip.Extra.EventIndex, styled ? 3 : -1);
    EXPECT_EQ(clip.Extra.ExtraCount, c.version >= 0x0203 ? 1 : 0);
    EXPECT_EQ(clip.Extra.ExtraX, c.version >= 0x0203 ? 11 : 0);
    EXPECT_EQ(clip.Extra.ExtraY, c.version >= 0x0203 ? -22 : 0);
    EXPECT_EQ(act->Intervals, c.version >= 0x0202 ? std::vector<float>{4.0f} : std::vector<float>{});
  }
}

// One action, one clip, one layer, one anchor, no events, one interval, every byte
// written out here as the format lays it down.
TEST(ActReader, ReadsTheWorkedExampleFieldByField) {
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

  auto act = Tool_Act::ParseActFile(file.View());
  ASSERT_TRUE(act);
  ActLayer layer{.SpriteIndex = 3, .Direction = 1, .Red = 0x11, .Green = 0x22, .Blue = 0x33, .Alpha = 0x44,
                 .PosX = -5, .PosY = 7, .ScaleX = 0x3F800000, .ScaleY = 0x40000000, .SizeX = 20, .SizeY = 30,
                 .Rotation = 45};
  ActLayer extra{.ExtraCount = 1, .ExtraX = -8, .ExtraY = 9, .EventIndex = -1};
  ActData expected{.ActionCount = 1,
                   .Actions = {{.ClipCount = 1, .Clips = {{.LayerCount = 1, .Layers = {layer}, .Extra = extra}}}},
                   .Version = 5,
                   .VersionWord = 0x0205,
                   .Events = {},
                   .Intervals = {4.0f}};
  EXPECT_EQ(*act, expected);
}

TEST(ActReader, RefusesPositionsAndIndicesOutside16BitsWhereTheyStand) {
  struct Case {
    ActLayerFields layer;
    const char* what;
  };
  for (const Case& c : {Case{{.X = 40000}, "x offset 40000"}, Case{{.Y = -40000}, "y offset -40000"},
                        Case{{.SpriteIndex = 32768}, "sprite index 32768"}}) {
    ActBytes bytes(0x0205);
    bytes.Header(2).ClipCount(1).ClipStart(1).Layer({}).ClipEnd(-1, {});
    const std::size_t badLayerAt = bytes.Size() + 4 + 36;
    bytes.ClipCount(1).ClipStart(2).Layer({}).Layer(c.layer).ClipEnd(-1, {}).Events(0, {});
    auto act = Tool_Act::ParseActFile(bytes.Take());
    ExpectFileError(act, c.what);
    EXPECT_NE(act.error().detail.find("action 1, clip 0, layer 1"), std::string::npos) << act.error().detail;
    EXPECT_GE(act.error().offset, badLayerAt);
  }
}

// Negative counts, counts beyond 16 bits, and huge counts in a tiny file.
TEST(ActReader, RefusesBadCounts) {
  const auto file = [] { return ActBytes(0x0205); };
  const auto clip = [&](std::int32_t layers) { return file().Header(1).ClipCount(1).ClipStart(layers); };
  const std::pair<std::vector<std::uint8_t>, const char*> cases[] = {
      {file().Header(-1).Take(), "action count -1"},
      {file().Header(32767).ClipCount(0).Take(), "action count 32767"},
      {file().Header(1).ClipCount(-2).Take(), "clip count -2"},
      {file().Header(1).ClipCount(40000).Take(), "clip count 40000"},
      {file().Header(1).ClipCount(32767).Take(), "clip count 32767"},
      {clip(-3).ClipEnd(-1, {}).Take(), "layer count -3"},
      {clip(32768).ClipEnd(-1, {}).Take(), "layer count 32768"},
      {clip(32767).ClipEnd(-1, {}).Take(), "layer count 32767"},
      {clip(0).ClipEnd(-1, -4, {}).Take(), "anchor count -4"},
      {clip(0).ClipEnd(-1, 0x7FFFFFFF, {}).Take(), "anchor count 2147483647"},
      {file().Header(0).Events(-5, {}).Take(), "event count -5"},
  };
  for (const auto& [bytes, what] : cases) {
    SCOPED_TRACE(what);
    ExpectFileError(Tool_Act::ParseActFile(bytes), what);
  }
  // An event count beyond the file keeps the whole names present.
  const std::vector<std::string> names{"atk"};
  auto act = Tool_Act::ParseActFile(file().Header(0).Events(0x7FFFFFFF, names).Take());
  ASSERT_TRUE(act);
  EXPECT_EQ(act->Events, names);
  EXPECT_TRUE(act->Intervals.empty());
}

TEST(ActReader, EveryTruncationFailsCleanlyOrKeepsTheWholeActions) {
  const ActFileFields layout = RichFile();
  const auto bytes = BuildActFile(layout);
  auto full = Tool_Act::ParseActFile(bytes);
  ASSERT_TRUE(full);
  ASSERT_EQ(full->Events, layout.Events);
  ASSERT_EQ(full->Intervals, layout.Intervals);
  const std::size_t eventsAt = bytes.size() - (4 + 2 * 40 + 2 * 4);
  const std::size_t intervalsAt = bytes.size() - 2 * 4;

  for (std::size_t length = 0; length < bytes.size(); ++length) {
    SCOPED_TRACE(length);
    auto act = Tool_Act::ParseActFile(std::span(bytes).first(length));
    if (length < eventsAt) {
      ExpectFileError(act);
      EXPECT_LE(act.error().offset, length);
      continue;
    }
    ASSERT_TRUE(act);
    EXPECT_EQ(act->Actions, full->Actions);
    const std::size_t names = length < eventsAt + 4 ? 0 : (length - eventsAt - 4) / 40;
    EXPECT_EQ(act->Events, std::vector<std::string>(layout.Events.begin(), layout.Events.begin() + names));
    const std::size_t floats = length < intervalsAt ? 0 : (length - intervalsAt) / 4;
    EXPECT_EQ(act->Intervals, std::vector<float>(layout.Intervals.begin(), layout.Intervals.begin() + floats));
  }
}

// A second anchor left unread would shift everything after it.
TEST(ActReader, ConsumesEveryAnchorAndKeepsTheFirst) {
  auto act = Tool_Act::ParseActFile(BuildActFile(RichFile()));
  ASSERT_TRUE(act);
  ASSERT_EQ(act->ActionCount, 2);
  const ActClip& clip = act->Actions[1].Clips[0];
  EXPECT_EQ(clip.Extra.ExtraCount, 2);
  EXPECT_EQ(clip.Extra.ExtraX, 1);
  EXPECT_EQ(clip.Extra.ExtraY, 2);
  EXPECT_EQ(clip.Extra.EventIndex, 1);
  EXPECT_EQ(clip.Layers.at(0).PosX, 100);
  EXPECT_EQ(clip.Layers.at(0).SpriteIndex, -1);
  // The clip without layers still has its trailer.
  const ActClip& empty = act->Actions[0].Clips[1];
  EXPECT_EQ(empty.LayerCount, 0);
  EXPECT_TRUE(empty.Layers.empty());
  EXPECT_EQ(empty.Extra.EventIndex, -1);
}

TEST(ActReader, ReadsEventsAndIntervalsByVersionAndIgnoresWhatFollows) {
  const std::string fullWidth(40, 'w');  // fills its 40 bytes with no terminating zero
  ActFileFields layout{.Actions = {{}, {}}, .Events = {"atk", fullWidth, ""}, .Intervals = {2.5f, 0.25f}};
  const std::vector<std::uint8_t> junk{'A', 'C', 0xFF, 0xFF, 1, 2, 3};
  for (std::uint16_t version : {0x0200, 0x0201, 0x0202, 0x0205}) {
    SCOPED_TRACE(version);
    layout.VersionWord = version;
    auto bytes = BuildActFile(layout);
    bytes.insert(bytes.end(), junk.begin(), junk.end());
    auto act = Tool_Act::ParseActFile(bytes);
    ASSERT_TRUE(act);
    EXPECT_EQ(act->ActionCount, 2);
    EXPECT_EQ(act->Events, version >= 0x0201 ? layout.Events : std::vector<std::string>{});
    EXPECT_EQ(act->Intervals, version >= 0x0202 ? layout.Intervals : std::vector<float>{});
  }
}

TEST(ActReader, ReadsFilesAndNamesTheFileInErrors) {
  TempDir dir;
  const auto bytes = BuildActFile(RichFile());
  ASSERT_TRUE(WriteFileAtomically(dir / "hero.act", bytes, "test"));
  auto act = Tool_Act::ReadActFile(dir / "hero.act");
  ASSERT_TRUE(act);
  EXPECT_EQ(*act, *Tool_Act::ParseActFile(bytes));

  ASSERT_TRUE(WriteFileAtomically(dir / "broken.act", std::span(bytes).first(40), "test"));
  ExpectFileError(Tool_Act::ReadActFile(dir / "broken.act"), "broken.act");
  ExpectFileError(Tool_Act::ReadActFile(dir / "missing.act"), "missing.act");
}
