// Files that declare huge counts or sizes in a few bytes are refused, or read, without
// an allocation the file cannot justify and without a loop over what they declare:
// each case checks the reason of the refusal (given before any loop over the count)
// and measures the largest single allocation and the number of allocations.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/actions/tool_act.h"
#include "allocation_probe.h"
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

template <class Call>
AllocationStats Measure(Call call) {
  AllocationProbe probe;
  call();
  return probe.Stats();
}

void ExpectBounded(const AllocationStats& stats) {
  EXPECT_LE(stats.Largest, kSmallAllocation);
  EXPECT_LE(stats.Count, kFewAllocations);
}

testing::AssertionResult Mentions(const Error& error, const std::string& words) {
  const std::string said = error.text + " " + error.detail;
  if (said.find(words) != std::string::npos) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "\"" << said << "\" does not mention \"" << words << "\"";
}

Bytes WithPalette(SprBytes bytes) { return bytes.TestPalette().Build(); }

}  // namespace

TEST(HugeCounts, SpriteFrameCountsBeyondTheFileAreRefused) {
  const Bytes tiny = SprBytes().Header({.FrameCount = 32767}).Bytes(Bytes(12, 0)).Build();
  const Bytes header = WithPalette(SprBytes().Header({.FrameCount = 32767}));
  const Bytes raw = WithPalette(SprBytes().Header({.Minor = 0, .FrameCount = 32767}));
  for (const Bytes* file : {&tiny, &header, &raw}) {
    SCOPED_TRACE(file->size());
    Result<Tool_Spr::LoadedSprite> loaded = Error{};
    ExpectBounded(Measure([&] { loaded = Tool_Spr::ParseSprite(*file); }));
    ASSERT_FALSE(loaded);
    EXPECT_EQ(loaded.error().title, Tool_Spr::kOpenErrorTitle);
    EXPECT_TRUE(Mentions(loaded.error(), file == &tiny ? "cut short" : "declares 32767 frames"));
  }
}

TEST(HugeCounts, HugeFrameSizesCostOnlyTheirData) {
  // Raw pixels must be in the file; a code expands to what it holds, whatever the size.
  const Bytes raw = WithPalette(SprBytes().Header({.Minor = 0, .FrameCount = 1}).RawFrame(32767, 32767, Bytes(16, 1)));
  Result<Tool_Spr::LoadedSprite> loaded = Error{};
  ExpectBounded(Measure([&] { loaded = Tool_Spr::ParseSprite(raw); }));
  ASSERT_FALSE(loaded);
  EXPECT_TRUE(Mentions(loaded.error(), "is cut short"));

  const Bytes coded = WithPalette(SprBytes().Header({.FrameCount = 1}).CodedFrame(32767, 32767, Bytes{7, 0, 3}));
  ExpectBounded(Measure([&] { loaded = Tool_Spr::ParseSprite(coded); }));
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded->Document.Frames[0].Pixels.size(), 5u);  // one short row and its padding

  Result<std::vector<std::uint8_t>> saved = Error{};
  ExpectBounded(Measure([&] { saved = Tool_Spr::SerializeSprite(loaded->Document); }));
  ASSERT_FALSE(saved);
  EXPECT_EQ(saved.error().title, Tool_Spr::kSaveErrorTitle);
  EXPECT_TRUE(Mentions(saved.error(), "32767 x 32767 pixels"));
}

TEST(HugeCounts, RunLengthCodeExpandsOnlyToWhatItHolds) {
  std::optional<std::vector<std::uint8_t>> pixels;
  ExpectBounded(Measure([&] { pixels = Tool_Spr::DecodeFrameRle(Bytes{0, 255, 0, 255, 9}, 32767); }));
  ASSERT_TRUE(pixels);
  EXPECT_EQ(pixels->size(), 512u);  // 511 pixels in one short row, and its padding
}

TEST(HugeCounts, ActionCountsBeyondTheFileAreRefused) {
  const std::vector<Bytes> files{
      ActBytes(0x0205).Header(32767).Take(),
      ActBytes(0x0205).Header(1).ClipCount(32767).Take(),
      ActBytes(0x0205).Header(1).ClipCount(1).ClipStart(32767).Raw(Bytes(64, 0)).Take(),
      ActBytes(0x0205).Header(1).ClipCount(1).ClipStart(0).ClipEnd(-1, 0x7FFFFFFF, {}).Take(),
  };
  const std::vector<std::string> reasons{"action count 32767", "clip count 32767", "layer count 32767",
                                         "anchor count 2147483647"};
  for (std::size_t i = 0; i < files.size(); ++i) {
    SCOPED_TRACE(reasons[i]);
    Result<ActData> act = Error{};
    ExpectBounded(Measure([&] { act = Tool_Act::ParseActFile(files[i]); }));
    ASSERT_FALSE(act);
    EXPECT_EQ(act.error().text, Tool_Act::kFileErrorText);
    EXPECT_TRUE(Mentions(act.error(), reasons[i]));
  }
}

TEST(HugeCounts, AnEventCountBeyondTheFileKeepsTheNamesItHas) {
  const std::vector<std::string> names{"atk"};
  const Bytes file = ActBytes(0x0205).Header(0).Events(0x7FFFFFFF, names).Take();
  Result<ActData> act = Error{};
  ExpectBounded(Measure([&] { act = Tool_Act::ParseActFile(file); }));
  ASSERT_TRUE(act);
  EXPECT_EQ(act->Events, names);
}

TEST(HugeCounts, BitmapSizesBeyondTheFileAreRefused) {
  const auto declared = [](std::int32_t width, std::int32_t height) {
    return BuildBmp({.Width = width, .Height = height, .Table = GradientTable(256), .Rows = {{1, 2, 3}}});
  };
  const std::vector<Bytes> files{declared(30000, 30000), declared(30000, -30000), declared(32768, 1),
                                 declared(0x7FFFFFFF, 0x7FFFFFFF)};
  const std::vector<std::string> reasons{"pixel data needs", "pixel data needs", "between 0 and 32767",
                                         "between 0 and 32767"};
  for (std::size_t i = 0; i < files.size(); ++i) {
    SCOPED_TRACE(reasons[i]);
    Result<Converter_Bmp::BmpImage> image = Error{};
    ExpectBounded(Measure([&] { image = Converter_Bmp::ParseBmp(files[i]); }));
    ASSERT_FALSE(image);
    EXPECT_EQ(image.error().title, "Format incompatible");
    EXPECT_TRUE(Mentions(image.error(), reasons[i]));
  }
}

TEST(HugeCounts, AHugePaletteFileIsRefusedUnread) {
  TempDir dir;
  const auto path = dir / "huge.pal";
  std::ofstream(path, std::ios::binary).put('x');
  std::filesystem::resize_file(path, std::uintmax_t{4} << 30);  // sparse: costs no disk
  Result<std::vector<std::uint8_t>> palette = Error{};
  ExpectBounded(Measure([&] { palette = Tool_Pal::ImportPalette(path, Tool_Pal::PalForm::Raw); }));
  ASSERT_FALSE(palette);
  EXPECT_EQ(palette.error().title, Tool_Pal::kPaletteErrorTitle);
  EXPECT_TRUE(Mentions(palette.error(), "too large to be a palette"));
}
