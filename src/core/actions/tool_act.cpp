#include "core/actions/tool_act.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <utility>

#include "core/common/byte_reader.h"
#include "core/common/file_io.h"

namespace tessaloom::Tool_Act {
namespace {

constexpr std::size_t kHeaderSize = 16;
constexpr std::size_t kHeaderReserved = 10;
constexpr std::size_t kClipReserved = 32;
constexpr std::size_t kCountSize = 4;
constexpr std::size_t kAnchorSize = 16;
constexpr std::size_t kEventNameSize = 40;
constexpr std::int32_t kNoEvent = -1;

// Which fields a version word puts in the file. Layers and clip trailers grew in
// minor steps within major version 2; everything before 2.0 has the short layer.
struct Layout {
  std::uint16_t versionWord = 0;

  bool HasLayerStyle() const { return versionWord >= 0x0200; }  // colour, scale, rotation, type, event index
  bool HasEvents() const { return versionWord >= 0x0201; }
  bool HasIntervals() const { return versionWord >= 0x0202; }
  bool HasAnchors() const { return versionWord >= 0x0203; }
  bool HasScaleY() const { return versionWord >= 0x0204; }
  bool HasSize() const { return versionWord >= 0x0205; }

  std::size_t LayerSize() const {
    return 16 + (HasLayerStyle() ? 16 : 0) + (HasScaleY() ? 4 : 0) + (HasSize() ? 8 : 0);
  }
  // The clip trailer without its anchors.
  std::size_t ClipTrailerSize() const { return (HasLayerStyle() ? 4 : 0) + (HasAnchors() ? 4 : 0); }
  std::size_t MinClipSize() const { return kClipReserved + kCountSize + ClipTrailerSize(); }
};

// Reads one file image front to back. A failing step records why in m_error and
// returns false, which ends the parse: the caller gets the error and no data.
class ActParser {
 public:
  explicit ActParser(std::span<const std::uint8_t> bytes) : m_reader(bytes) {}

  Result<ActData> Parse() {
    if (!ParseHeader() || !ParseActions() || !ParseTrailer()) return *m_error;
    return std::move(m_act);
  }

 private:
  bool ParseHeader();
  bool ParseActions();
  bool ParseClip(ActClip& clip);
  bool ParseLayer(ActLayer& layer);
  bool ParseClipTrailer(ActLayer& extra);
  bool ParseTrailer();
  bool ParseEvents(bool& complete);
  void ParseIntervals();

  bool ReadCount(const std::string& what, std::size_t recordSize, std::int16_t& count);
  bool CheckCount(std::int64_t count, const std::string& what, std::size_t recordSize, std::size_t at);
  bool ReadShort(const std::string& what, std::int16_t& value);
  bool Need(std::size_t size, const std::string& what);
  bool Fail(const std::string& what, std::size_t at);

  ByteReader m_reader;
  ActData m_act;
  Layout m_layout;
  std::optional<Error> m_error;
  // The record being read, named in error details; -1 outside such a record.
  int m_action = -1;
  int m_clip = -1;
  int m_layer = -1;
};

bool ActParser::ParseHeader() {
  const auto magic = m_reader.Bytes(2);
  if (magic.size() != 2 || magic[0] != 'A' || magic[1] != 'C') {
    return Fail("not an action file: it does not begin with \"AC\"", 0);
  }
  if (!Need(kHeaderSize - 2, "header")) return false;
  const std::uint8_t minor = m_reader.U8();
  const std::uint8_t major = m_reader.U8();
  m_act.Version = minor;
  m_act.VersionWord = static_cast<std::uint16_t>((major << 8) | minor);
  m_layout.versionWord = m_act.VersionWord;
  const std::size_t countAt = m_reader.Offset();
  const std::int16_t actionCount = m_reader.I16();
  m_reader.Skip(kHeaderReserved);
  if (!CheckCount(actionCount, "action count", kCountSize, countAt)) return false;
  m_act.ActionCount = actionCount;
  return true;
}

bool ActParser::ParseActions() {
  m_act.Actions.resize(static_cast<std::size_t>(m_act.ActionCount));
  for (m_action = 0; m_action < m_act.ActionCount; ++m_action) {
    ActAction& action = m_act.Actions[static_cast<std::size_t>(m_action)];
    if (!ReadCount("clip count", m_layout.MinClipSize(), action.ClipCount)) return false;
    action.Clips.resize(static_cast<std::size_t>(action.ClipCount));
    for (m_clip = 0; m_clip < action.ClipCount; ++m_clip) {
      if (!ParseClip(action.Clips[static_cast<std::size_t>(m_clip)])) return false;
    }
    m_clip = -1;
  }
  m_action = -1;
  return true;
}

bool ActParser::ParseClip(ActClip& clip) {
  if (!Need(kClipReserved, "clip")) return false;
  m_reader.Skip(kClipReserved);
  if (!ReadCount("layer count", m_layout.LayerSize(), clip.LayerCount)) return false;
  clip.Layers.resize(static_cast<std::size_t>(clip.LayerCount));
  for (m_layer = 0; m_layer < clip.LayerCount; ++m_layer) {
    if (!ParseLayer(clip.Layers[static_cast<std::size_t>(m_layer)])) return false;
  }
  m_layer = -1;
  return ParseClipTrailer(clip.Extra);
}

bool ActParser::ParseLayer(ActLayer& layer) {
  if (!Need(m_layout.LayerSize(), "layer")) return false;
  if (!ReadShort("x offset", layer.PosX) || !ReadShort("y offset", layer.PosY) ||
      !ReadShort("sprite index", layer.SpriteIndex)) {
    return false;
  }
  layer.Direction = m_reader.I32();
  if (m_layout.HasLayerStyle()) {
    layer.Red = m_reader.U8();
    layer.Green = m_reader.U8();
    layer.Blue = m_reader.U8();
    layer.Alpha = m_reader.U8();
    layer.ScaleX = m_reader.I32();
  }
  layer.ScaleY = m_layout.HasScaleY() ? m_reader.I32() : layer.ScaleX;
  if (m_layout.HasLayerStyle()) {
    layer.Rotation = m_reader.I32();
    layer.SpriteType = m_reader.I32();
  }
  if (m_layout.HasSize()) {
    layer.SizeX = m_reader.I32();
    layer.SizeY = m_reader.I32();
  }
  return true;
}

bool ActParser::ParseClipTrailer(ActLayer& extra) {
  extra.EventIndex = kNoEvent;
  if (!Need(m_layout.ClipTrailerSize(), "clip trailer")) return false;
  if (m_layout.HasLayerStyle()) extra.EventIndex = m_reader.I32();
  if (!m_layout.HasAnchors()) return true;

  const std::size_t countAt = m_reader.Offset();
  const std::int32_t anchorCount = m_reader.I32();
  if (!CheckCount(anchorCount, "anchor count", kAnchorSize, countAt)) return false;
  extra.ExtraCount = anchorCount;
  for (std::int32_t i = 0; i < anchorCount; ++i) {
    m_reader.Skip(4);  // meaning unknown
    const std::int32_t x = m_reader.I32();
    const std::int32_t y = m_reader.I32();
    m_reader.Skip(4);  // attribute
    if (i == 0) {
      extra.ExtraX = x;
      extra.ExtraY = y;
    }
  }
  return true;
}

// The actions are complete without events and intervals, so a file that ends before
// or inside these sections still loads with the whole names and intervals it holds.
bool ActParser::ParseTrailer() {
  if (!m_layout.HasEvents()) return true;
  bool eventsComplete = false;
  if (!ParseEvents(eventsComplete)) return false;
  if (eventsComplete && m_layout.HasIntervals()) ParseIntervals();
  return true;
}

bool ActParser::ParseEvents(bool& complete) {
  complete = false;
  if (!m_reader.Has(kCountSize)) return true;
  const std::size_t countAt = m_reader.Offset();
  const std::int32_t count = m_reader.I32();
  if (count < 0) return Fail("the event count " + std::to_string(count) + " is negative", countAt);
  const std::size_t whole = std::min<std::size_t>(static_cast<std::size_t>(count),
                                                  m_reader.Remaining() / kEventNameSize);
  m_act.Events.reserve(whole);
  for (std::size_t i = 0; i < whole; ++i) {
    const auto name = m_reader.Bytes(kEventNameSize);
    m_act.Events.emplace_back(name.begin(), std::find(name.begin(), name.end(), 0));
  }
  complete = whole == static_cast<std::size_t>(count);
  return true;
}

void ActParser::ParseIntervals() {
  const std::size_t whole = std::min<std::size_t>(static_cast<std::size_t>(m_act.ActionCount),
                                                  m_reader.Remaining() / 4);
  m_act.Intervals.reserve(whole);
  for (std::size_t i = 0; i < whole; ++i) m_act.Intervals.push_back(std::bit_cast<float>(m_reader.U32()));
}

// A count stored in 32 bits whose array is indexed with 16 bits.
bool ActParser::ReadCount(const std::string& what, std::size_t recordSize, std::int16_t& count) {
  if (!Need(kCountSize, what)) return false;
  const std::size_t at = m_reader.Offset();
  const std::int32_t value = m_reader.I32();
  if (value > std::numeric_limits<std::int16_t>::max()) {
    return Fail("the " + what + " " + std::to_string(value) + " does not fit 16 bits", at);
  }
  if (!CheckCount(value, what, recordSize, at)) return false;
  count = static_cast<std::int16_t>(value);
  return true;
}

// Refuses a negative count, and one whose records cannot fit in what is left of the
// file, before any array is sized from it.
bool ActParser::CheckCount(std::int64_t count, const std::string& what, std::size_t recordSize,
                           std::size_t at) {
  if (count < 0) return Fail("the " + what + " " + std::to_string(count) + " is negative", at);
  const std::size_t needed = static_cast<std::size_t>(count) * recordSize;
  if (needed > m_reader.Remaining()) {
    return Fail("the " + what + " " + std::to_string(count) + " needs at least " + std::to_string(needed) +
                    " bytes but only " + std::to_string(m_reader.Remaining()) + " remain",
                at);
  }
  return true;
}

// Positions and frame indices are stored in 32 bits but used as 16-bit values.
bool ActParser::ReadShort(const std::string& what, std::int16_t& value) {
  const std::size_t at = m_reader.Offset();
  const std::int32_t stored = m_reader.I32();
  if (stored < std::numeric_limits<std::int16_t>::min() || stored > std::numeric_limits<std::int16_t>::max()) {
    return Fail("the " + what + " " + std::to_string(stored) + " does not fit 16 bits", at);
  }
  value = static_cast<std::int16_t>(stored);
  return true;
}

bool ActParser::Need(std::size_t size, const std::string& what) {
  if (m_reader.Has(size)) return true;
  return Fail("the file ends inside the " + what + " (" + std::to_string(size) + " bytes needed, " +
                  std::to_string(m_reader.Remaining()) + " left)",
              m_reader.Offset());
}

bool ActParser::Fail(const std::string& what, std::size_t at) {
  std::string where;
  if (m_action >= 0) where += "action " + std::to_string(m_action + 1);
  if (m_clip >= 0) where += ", clip " + std::to_string(m_clip + 1);
  if (m_layer >= 0) where += ", layer " + std::to_string(m_layer + 1);
  const std::string detail = (where.empty() ? "" : where + ": ") + what + " (offset " + std::to_string(at) + ")";
  m_error = Error{.title = kFileErrorTitle, .text = kFileErrorText, .detail = detail, .offset = at};
  return false;
}

}  // namespace

Result<ActData> ParseActFile(std::span<const std::uint8_t> bytes) { return ActParser(bytes).Parse(); }

Result<ActData> ReadActFile(const std::filesystem::path& path) {
  auto bytes = ReadWholeFile(path, kFileErrorTitle);
  if (!bytes) return Error{.title = kFileErrorTitle, .text = kFileErrorText, .detail = bytes.error().text};
  auto act = ParseActFile(*bytes);
  if (act) return act;
  Error error = act.error();
  error.detail = "\"" + DisplayName(path) + "\": " + error.detail;
  return error;
}

}  // namespace tessaloom::Tool_Act

namespace tessaloom {

float ActionInterval(const ActData& act, int action) {
  constexpr float kDefaultInterval = 4.0f;
  if (action < 0 || static_cast<std::size_t>(action) >= act.Intervals.size()) return kDefaultInterval;
  const float interval = act.Intervals[static_cast<std::size_t>(action)];
  return std::isfinite(interval) && interval > 0 ? interval : kDefaultInterval;
}

}  // namespace tessaloom
