// Sprite files read and written. Malformed files are refused in
// limits/refusals_test.cpp, which also measures what refusing them costs.

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include "core/common/file_io.h"
#include "core/generators.h"
#include "core/sprite/rle.h"
#include "core/sprite/spr_reader.h"
#include "core/sprite/spr_writer.h"
#include "support/spr_bytes.h"
#include "support/temp_dir.h"

using namespace tessaloom;
using Bytes = std::vector<std::uint8_t>;
using Tool_Spr::ParseSprite;
using Tool_Spr::SerializeSprite;

namespace {

const Bytes kCode3x2{5, 0, 2, 7, 8, 9};
const Bytes kPixels3x2{7, 8, 9, 0, 5, 0, 0, 0};

// TestPaletteFileOrder() as the writer puts it in a file: every fourth byte 0.
Bytes PaletteAsWritten() {
  Bytes palette = TestPaletteFileOrder();
  for (std::size_t i = 3; i < palette.size(); i += 4) palette[i] = 0;
  return palette;
}

Bytes OneFrameSprite(SprHeaderBytes header = {.FrameCount = 1}) {
  return SprBytes().Header(header).CodedFrame(3, 2, kCode3x2).TestPalette().Build();
}

}  // namespace

RC_GTEST_PROP(SprFile, SavedSpritesLoadAsTheyWereAndSaveToTheSameBytes, ()) {
  SprDocument document = SpriteOf(*rc::gen::container<std::vector<SprFrame>>(*rc::gen::inRange(0, 6), gen::Frame()));
  document.Header.Reserved = *rc::gen::arbitrary<std::array<std::uint8_t, 2>>();
  document.Header.TrailingData = *rc::gen::arbitrary<Bytes>();
  const Bytes bytes = SerializeSprite(document).value();
  const auto loaded = ParseSprite(bytes);
  RC_ASSERT(loaded.has_value());
  RC_ASSERT(!loaded->Warning);
  document.Header.Compressed = 1;
  for (std::size_t i = 0; i < document.Frames.size(); ++i) {
    document.Frames[i].FrameNumber = static_cast<std::int16_t>(i + 1);
    document.Frames[i].DataSize = static_cast<std::int32_t>(Tool_Spr::EncodeFrameRle(document.Frames[i]).size());
  }
  RC_ASSERT(loaded->Document == document);
  RC_ASSERT(SerializeSprite(loaded->Document).value() == bytes);
}

TEST(SprFile, WritesACodedFileWithTheFullSixteenBitCountAndTheWholePalette) {
  SprDocument document = SpriteOf(std::vector<SprFrame>(300, FrameFromRows({{5, 0, 0}, {7, 8, 9}})));
  SprBytes expected;
  expected.Header({.Minor = 1, .Major = 2, .FrameCount = 300});
  for (int i = 0; i < 300; ++i) expected.CodedFrame(3, 2, kCode3x2);
  EXPECT_EQ(SerializeSprite(document).value(), expected.Bytes(PaletteAsWritten()).Build());

  document = SpriteOf({});
  document.Header.Palette = {30, 20, 10, 0, 3, 2, 1};  // completed with black
  Bytes palette(1024, 0);
  palette[0] = 10, palette[1] = 20, palette[2] = 30, palette[4] = 1, palette[5] = 2, palette[6] = 3;
  EXPECT_EQ(SerializeSprite(document).value(), SprBytes().Header({}).Bytes(palette).Build());
}

TEST(SprFile, RefusesToWriteWhatTheFormatCannotHold) {
  SprDocument noPalette = SpriteOf({});
  noPalette.Header.Palette.clear();
  const std::pair<SprDocument, std::string> cases[] = {
      {noPalette, "The sprite has no palette, so it cannot be saved."},
      {SpriteOf(std::vector<SprFrame>(32768)), "The sprite has 32768 frames; a sprite file holds at most 32767."},
      {SpriteOf(std::vector<SprFrame>(32767)), ""},
      {SpriteOf({SolidFrame(1, 1, 1), SprFrame{.Width = -1, .Height = 2}}), "Frame 2 has a negative size (-1 x 2)."},
      {SpriteOf({SolidFrame(32767, 1, 1)}), ""},
      {SpriteOf({SolidFrame(16384, 2, 1)}), "Frame 1 needs 32768 bytes of code; a sprite file allows at most 32767 per frame."}};
  for (const auto& [document, refusal] : cases) {
    const auto bytes = SerializeSprite(document);
    EXPECT_EQ(bytes ? "" : bytes.error().title + ": " + bytes.error().text, refusal.empty() ? "" : "Save error: " + refusal);
  }
}

TEST(SprFile, AnyNonZeroMinorByteMeansCodedFramesAndZeroRawOnes) {
  for (std::uint8_t minor : {1, 2, 0xFF}) {
    auto loaded = ParseSprite(OneFrameSprite({.Minor = minor, .Major = 9, .FrameCount = 1}));
    ASSERT_TRUE(loaded);
    EXPECT_EQ(loaded->Document.Header.Compressed, 1);
    EXPECT_EQ(loaded->Document.Frames.at(0), (SprFrame{.Width = 3, .Height = 2, .DataSize = 6, .FrameNumber = 1,
                                                        .Pixels = kPixels3x2}));
    // File entry 1 is red 1, green 254, blue 7, x 1: in memory blue, green, red, 0.
    EXPECT_EQ(Bytes(loaded->Document.Header.Palette.begin() + 4, loaded->Document.Header.Palette.begin() + 8),
              (Bytes{7, 254, 1, 0}));
  }
  // Raw rows come top-down and unpadded.
  auto raw = ParseSprite(SprBytes().Header({.Minor = 0, .FrameCount = 2}).RawFrame(3, 2, Bytes{5, 0, 0, 7, 8, 9})
                             .RawFrame(0, 4, {}).TestPalette().Build());
  ASSERT_TRUE(raw);
  EXPECT_EQ(raw->Document.Header.Compressed, 0);
  EXPECT_EQ(raw->Document.Frames, (std::vector<SprFrame>{{.Width = 3, .Height = 2, .DataSize = 6, .Pixels = kPixels3x2},
                                                         {.Width = 0, .Height = 4}}));
}

TEST(SprFile, LoneTrailingZeroEmptiesThatFrameAndWarnsOncePerLoad) {
  auto loaded = ParseSprite(SprBytes().Header({.FrameCount = 4}).CodedFrame(3, 2, kCode3x2).CodedFrame(3, 1, Bytes{1, 2, 0})
                                .CodedFrame(3, 2, kCode3x2).CodedFrame(2, 2, Bytes{0}).TestPalette().Build());
  ASSERT_TRUE(loaded);
  const auto& frames = loaded->Document.Frames;
  EXPECT_EQ(frames.at(1), (SprFrame{.Width = 3, .Height = 1, .DataSize = 3, .FrameNumber = 2}));
  EXPECT_EQ(frames.at(2).Pixels, kPixels3x2);
  EXPECT_TRUE(frames.at(3).Pixels.empty());
  ASSERT_TRUE(loaded->Warning);
  EXPECT_EQ(loaded->Warning->title + ": " + loaded->Warning->text, "Error decoding: Cannot decode image correctly");
  EXPECT_NE(loaded->Warning->detail.find("Frames 2, 4 "), std::string::npos) << loaded->Warning->detail;
}

TEST(SprFile, FramesMayRunIntoThePaletteThatIsAlwaysTheLastKilobyte) {
  auto loaded = ParseSprite(SprBytes().Header({.FrameCount = 1}).CodedFrame(10, 101, Bytes(1024 - 14, 3)).Build());
  ASSERT_TRUE(loaded) << loaded.error().text;
  EXPECT_TRUE(loaded->Document.Header.TrailingData.empty());
  EXPECT_EQ(loaded->Document.Frames[0].DataSize, 1010);
}

TEST(SprFile, EveryTruncationIsAnErrorOrReadsTheSameFrames) {
  SprDocument sprite = VariedSprite();
  sprite.Frames.push_back(SolidFrame(300, 4, 7));  // longer than a palette: most cuts fall in the frames
  sprite.Header.FrameCount = static_cast<std::int16_t>(sprite.Frames.size());
  const Bytes full = SerializeSprite(sprite).value();
  const auto expected = ParseSprite(full);
  ASSERT_TRUE(expected);
  const std::size_t framesEnd = full.size() - 1024 - sprite.Header.TrailingData.size();
  for (std::size_t length = 0; length < full.size(); ++length) {
    // A copy of exactly `length` bytes, so that a read past it is caught by the sanitizers.
    const auto loaded = ParseSprite(Bytes(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(length)));
    ASSERT_EQ(loaded.has_value(), length >= framesEnd) << length;
    if (loaded) {
      EXPECT_EQ(loaded->Document.Frames, expected->Document.Frames);
    }
  }
}

TEST(SprFile, LoadSpriteNamesTheFileInItsErrors) {
  TempDir dir;
  Bytes bytes = OneFrameSprite();
  ASSERT_TRUE(WriteFileAtomically(dir / "hero.spr", bytes, "test"));
  EXPECT_EQ(Tool_Spr::LoadSprite(dir / "hero.spr")->Document, ParseSprite(bytes)->Document);
  bytes[13] = 0x70;  // frame 1 claims 28678 bytes of code
  ASSERT_TRUE(WriteFileAtomically(dir / "cut.spr", bytes, "test"));
  EXPECT_EQ(Tool_Spr::LoadSprite(dir / "cut.spr").error().text,
            "Cannot read \"" + (dir / "cut.spr").string() + "\": frame 1 is cut short.");
  bytes[0] = 's';
  ASSERT_TRUE(WriteFileAtomically(dir / "wrong.spr", bytes, "test"));
  EXPECT_NE(Tool_Spr::LoadSprite(dir / "wrong.spr").error().detail.find("wrong.spr"), std::string::npos);
  EXPECT_EQ(Tool_Spr::LoadSprite(dir / "missing.spr").error().title, "Open error");
}
