// Every malformed file the readers refuse, each written once and checked for the
// refusal the user sees and for what it costs: a file that declares huge counts or
// sizes in a few bytes must be refused, or read, without an allocation it cannot
// justify and without a loop over what it declares.

#include <gtest/gtest.h>

#include <fstream>

#include "allocation_probe.h"
#include "core/actions/tool_act.h"
#include "core/convert/converter_bmp.h"
#include "core/palette/tool_pal.h"
#include "core/sprite/rle.h"
#include "core/sprite/spr_reader.h"
#include "core/sprite/spr_writer.h"
#include "support/act_bytes.h"
#include "support/bmp_bytes.h"
#include "support/spr_bytes.h"
#include "support/temp_dir.h"

using namespace tessaloom;

namespace {

using Bytes = std::vector<std::uint8_t>;

// Room for the error texts and for copies of the few bytes these files hold.
constexpr std::size_t kSmallAllocation = 4096;
// No count from the file is looped over while allocating.
constexpr std::size_t kFewAllocations = 64;

struct Refusal {
  Bytes File;
  std::vector<std::string> Words;  // what the text or the detail must say
};

// Runs `read` and checks that it allocated little.
template <class Read>
auto Measured(Read read) {
  AllocationProbe probe;
  auto result = read();
  const AllocationStats stats = probe.Stats();
  EXPECT_LE(stats.Largest, kSmallAllocation);
  EXPECT_LE(stats.Count, kFewAllocations);
  return result;
}

template <class T>
void ExpectRefusals(const std::function<Result<T>(const Bytes&)>& read, const std::string& title,
                    const std::vector<Refusal>& refusals) {
  for (const Refusal& refusal : refusals) {
    SCOPED_TRACE(refusal.Words.front());
    const Result<T> result = Measured([&] { return read(refusal.File); });
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().title, title);
    const std::string said = result.error().text + " " + result.error().detail;
    for (const std::string& words : refusal.Words) EXPECT_NE(said.find(words), std::string::npos) << said;
  }
}

Bytes Sprite(const SprHeaderBytes& header, const std::function<void(SprBytes&)>& frames = {}) {
  SprBytes bytes;
  bytes.Header(header);
  if (frames) frames(bytes);
  return bytes.TestPalette().Build();
}

}  // namespace

TEST(Refusals, Sprites) {
  const Bytes code{5, 0, 2, 7, 8, 9};
  ExpectRefusals<Tool_Spr::LoadedSprite>(Tool_Spr::ParseSprite, "Open error", {
      {Sprite({.Magic = "sP", .FrameCount = 1}, [&](SprBytes& b) { b.CodedFrame(3, 2, code); }),
       {"It's not a sprite format"}},
      {Bytes(1023, 'S'), {"cut short"}},  // too short for a palette: the magic is not looked at
      {SprBytes().Header({.FrameCount = 32767}).Bytes(Bytes(12, 0)).Build(), {"cut short"}},
      {Sprite({.FrameCount = 0xFFFF}), {"The frame count is negative (-1)."}},
      {Sprite({.FrameCount = 30000}), {"The file declares 30000 frames, more than its 1032 bytes can hold."}},
      {Sprite({.Minor = 0, .FrameCount = 32767}), {"declares 32767 frames"}},
      {Sprite({.FrameCount = 1}, [&](SprBytes& b) { b.CodedFrame(-3, 2, code); }),
       {"Frame 1 has a negative size (-3 x 2)."}},
      {Sprite({.Minor = 0, .FrameCount = 1}, [](SprBytes& b) { b.RawFrame(2, -1, {}); }),
       {"Frame 1 has a negative size (2 x -1)."}},
      {Sprite({.FrameCount = 2}, [&](SprBytes& b) { b.CodedFrame(3, 2, code).I16(3).I16(2).I16(-6).Bytes(code); }),
       {"Frame 2 has a negative byte count (-6)."}},
      // Raw pixels must all be in the file.
      {Sprite({.Minor = 0, .FrameCount = 1}, [](SprBytes& b) { b.RawFrame(32767, 32767, Bytes(16, 1)); }),
       {"Frame 1 is cut short."}},
  });
}

// A code expands to what it holds, whatever size its frame declares.
TEST(Refusals, HugeCodedFramesCostOnlyTheirCode) {
  const Bytes file = Sprite({.FrameCount = 1}, [](SprBytes& b) { b.CodedFrame(32767, 32767, Bytes{7, 0, 3}); });
  const auto loaded = Measured([&] { return Tool_Spr::ParseSprite(file); });
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded->Document.Frames[0].Pixels.size(), 5u);  // one short row and its padding
  const auto saved = Measured([&] { return Tool_Spr::SerializeSprite(loaded->Document); });
  ASSERT_FALSE(saved);
  EXPECT_NE(saved.error().text.find("32767 x 32767 pixels"), std::string::npos) << saved.error().text;

  const auto pixels = Measured([] { return Tool_Spr::DecodeFrameRle(Bytes{0, 255, 0, 255, 9}, 32767); });
  EXPECT_EQ(pixels->size(), 512u);  // 511 pixels in one short row, and its padding
}

// 32-bit colour frames that are not all there are left unread, at no cost.
TEST(Refusals, Huge32BitFramesCostNothing) {
  for (const std::array<std::uint8_t, 2> count : {std::array<std::uint8_t, 2>{0xFF, 0x7F}, {1, 0}}) {
    const Bytes file = Sprite({.Reserved = count}, [](SprBytes& b) { b.I16(32767).I16(32767).I16(7); });
    const auto loaded = Measured([&] { return Tool_Spr::ParseSprite(file); });
    EXPECT_TRUE(loaded && loaded->Document.RgbaFrames.empty());
  }
}

TEST(Refusals, ActionFiles) {
  const auto file = [] { return ActBytes(0x0205); };
  const auto clip = [&](std::int32_t layers) { return file().Header(1).ClipCount(1).ClipStart(layers); };
  // The bad layer is the second of action 1's clip.
  const auto badLayer = [&](const ActLayerFields& layer) {
    return file().Header(2).ClipCount(1).ClipStart(1).Layer({}).ClipEnd(-1, {})
        .ClipCount(1).ClipStart(2).Layer({}).Layer(layer).ClipEnd(-1, {}).Events(0, {}).Take();
  };
  ExpectRefusals<ActData>(Tool_Act::ParseActFile, "File Error", {
      {file().Header(0, "AB").Take(), {"\"AC\"", "It was an error trying to open the file"}},
      {file().Header(0, "ac").Take(), {"\"AC\""}},
      {{}, {"\"AC\""}},
      {Bytes{'A', 'C', 5, 2}, {"header"}},
      {file().Header(-1).Take(), {"action count -1"}},
      {file().Header(32767).ClipCount(0).Take(), {"action count 32767"}},
      {file().Header(1).ClipCount(-2).Take(), {"clip count -2"}},
      {file().Header(1).ClipCount(40000).Take(), {"clip count 40000"}},
      {file().Header(1).ClipCount(32767).Take(), {"clip count 32767"}},
      {file().Header(1).ClipCount(2).ClipStart(0).ClipEnd(-1, {}).Raw(Bytes(30, 0)).Take(), {"clip count 2"}},
      {clip(2).Layer({}).ClipEnd(-1, {}).Take(), {"layer count 2"}},
      {clip(-3).ClipEnd(-1, {}).Take(), {"layer count -3"}},
      {clip(32768).ClipEnd(-1, {}).Take(), {"layer count 32768"}},
      {clip(32767).Raw(Bytes(64, 0)).Take(), {"layer count 32767"}},
      {clip(0).ClipEnd(-1, -4, {}).Take(), {"anchor count -4"}},
      {clip(0).ClipEnd(-1, 0x7FFFFFFF, {}).Take(), {"anchor count 2147483647"}},
      {file().Header(0).Events(-5, {}).Take(), {"event count -5"}},
      {badLayer({.X = 40000}), {"x offset 40000", "action 1, clip 0, layer 1"}},
      {badLayer({.Y = -40000}), {"y offset -40000", "action 1, clip 0, layer 1"}},
      {badLayer({.SpriteIndex = 32768}), {"sprite index 32768", "action 1, clip 0, layer 1"}},
  });
}

// An event count beyond the file keeps the whole names present.
TEST(Refusals, AnEventCountBeyondTheFileKeepsTheNamesItHas) {
  const std::vector<std::string> names{"atk"};
  const Bytes file = ActBytes(0x0205).Header(0).Events(0x7FFFFFFF, names).Take();
  const auto act = Measured([&] { return Tool_Act::ParseActFile(file); });
  EXPECT_EQ(act->Events, names);
  EXPECT_TRUE(act->Intervals.empty());
}

TEST(Refusals, Bitmaps) {
  const Bytes table = GradientTable(256);
  const std::vector<Bytes> row{{1, 2}};
  Bytes whole = BuildBmp({.Width = 2, .Height = 1, .Table = table, .Rows = row}), notBm = whole;
  notBm[0] = 'P';
  std::vector<Refusal> refusals{
      {notBm, {"No 8 bits bitmap format"}},
      {BuildBmp({.Width = 2, .Height = 1, .InfoHeaderSize = 12, .Table = table, .Rows = row}), {"No 8 bits bitmap format"}},
      {BuildBmp({.Width = 2, .Height = 1, .Compression = 1, .Table = table, .Rows = row}), {"Compressed bitmaps"}},
      {BuildBmp({.Width = 2, .Height = 1, .ColorsUsed = 257, .Table = table, .Rows = row}), {"colour table is malformed"}},
      {BuildBmp({.Width = 2, .Height = 1, .PixelOffset = 20, .Table = table, .Rows = row}), {"The bitmap file is damaged"}},
      {BuildBmp({.Width = -1, .Height = 1, .Table = table, .Rows = row}), {"The bitmap's size is out of range"}},
      {BuildBmp({.Width = 1, .Height = -40000, .Table = table, .Rows = row}), {"The bitmap's size is out of range"}},
      {BuildBmp({.Width = 32768, .Height = 1, .Table = table, .Rows = row}), {"size is out of range", "between 0 and 32767"}},
      {BuildBmp({.Width = 0x7FFFFFFF, .Height = 0x7FFFFFFF, .Table = table, .Rows = row}), {"between 0 and 32767"}},
      {BuildBmp({.Width = 30000, .Height = 30000, .Table = table, .Rows = row}), {"pixel data needs"}},
      {BuildBmp({.Width = 30000, .Height = 30000, .TopDown = true, .Table = table, .Rows = row}), {"pixel data needs"}},
      {Bytes(whole.begin(), whole.end() - 1), {"The bitmap file is incomplete"}},
      {Bytes(whole.begin(), whole.begin() + 40), {"The bitmap file is incomplete"}},
  };
  for (std::uint16_t bits : {1, 4, 16, 24, 32}) {
    refusals.push_back({BuildBmp({.Width = 2, .Height = 1, .BitsPerPixel = bits, .Table = table, .Rows = row}), {"No 8 bits"}});
  }
  for (std::size_t length = 0; length < whole.size(); ++length) {
    refusals.push_back({Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length)), {""}});
  }
  ExpectRefusals<Converter_Bmp::BmpImage>(Converter_Bmp::ParseBmp, "Format incompatible", refusals);
}

TEST(Refusals, AHugePaletteFileUnread) {
  TempDir dir;
  const auto path = dir / "huge.pal";
  std::ofstream(path, std::ios::binary).put('x');
  std::filesystem::resize_file(path, std::uintmax_t{4} << 30);  // sparse: costs no disk
  const Refusal refusal{{}, {"huge.pal", "too large to be a palette"}};
  const auto import = [&](const Bytes&) { return Tool_Pal::ImportPalette(path, Tool_Pal::PalForm::Raw); };
  ExpectRefusals<Bytes>(import, "Palette error", {refusal});
}
