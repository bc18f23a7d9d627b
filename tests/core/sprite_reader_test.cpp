#include <gtest/gtest.h>

#include "core/common/file_io.h"
#include "core/sprite/palette.h"
#include "core/sprite/spr_reader.h"
#include "support/spr_bytes.h"
#include "support/temp_dir.h"

using namespace tessaloom;
using Bytes = std::vector<std::uint8_t>;
using Tool_Spr::LoadSprite;
using Tool_Spr::ParseSprite;

namespace {

const Bytes kThreeByTwoCode{5, 0, 2, 7, 8, 9};
const Bytes kThreeByTwoPixels{7, 8, 9, 0, 5, 0, 0, 0};

Bytes OneFrameSprite(std::uint8_t minor) {
  return SprBytes().Header({.Minor = minor, .FrameCount = 1}).CodedFrame(3, 2, kThreeByTwoCode).TestPalette().Build();
}

}  // namespace

TEST(SprReader, ReadsCodedFramesAndTheMemoryOrderPalette) {
  auto loaded = ParseSprite(OneFrameSprite(1));
  ASSERT_TRUE(loaded) << loaded.error().text;
  const SprDocument& document = loaded->Document;
  EXPECT_FALSE(loaded->Warning);
  EXPECT_EQ(document.Header.Compressed, 1);
  EXPECT_EQ(document.Header.FrameCount, 1);
  ASSERT_EQ(document.Frames.size(), 1u);
  const SprFrame& frame = document.Frames[0];
  EXPECT_EQ(frame.Width, 3);
  EXPECT_EQ(frame.Height, 2);
  EXPECT_EQ(frame.DataSize, 6);
  EXPECT_EQ(frame.FrameNumber, 1);
  EXPECT_EQ(frame.Pixels, kThreeByTwoPixels);
  // File entry 1 is red 1, green 254, blue 7, x 1: in memory blue, green, red, 0.
  ASSERT_EQ(document.Header.Palette.size(), 1024u);
  EXPECT_EQ(Bytes(document.Header.Palette.begin() + 4, document.Header.Palette.begin() + 8), (Bytes{7, 254, 1, 0}));
  EXPECT_EQ(document.Header.Palette, Tool_Spr::SwapPaletteOrder(TestPaletteFileOrder()));
  EXPECT_TRUE(document.Header.TrailingData.empty());
}

TEST(SprReader, VersionMinorByteSelectsCodedOrRawFrames) {
  for (std::uint8_t minor : {1, 2, 0x7F, 0xFF}) {
    for (std::uint8_t major : {0, 2, 9}) {
      auto loaded = ParseSprite(SprBytes().Header({.Minor = minor, .Major = major, .FrameCount = 1})
                                    .CodedFrame(3, 2, kThreeByTwoCode).TestPalette().Build());
      ASSERT_TRUE(loaded);
      EXPECT_EQ(loaded->Document.Header.Compressed, 1);
      EXPECT_EQ(loaded->Document.Frames[0].Pixels, kThreeByTwoPixels);
    }
  }
  // Raw rows come top-down and unpadded, and end up in the same layout.
  auto raw = ParseSprite(SprBytes().Header({.Minor = 0, .Major = 7, .FrameCount = 2})
                             .RawFrame(3, 2, Bytes{5, 0, 0, 7, 8, 9}).RawFrame(0, 4, {}).TestPalette().Build());
  ASSERT_TRUE(raw) << raw.error().text;
  EXPECT_EQ(raw->Document.Header.Compressed, 0);
  ASSERT_EQ(raw->Document.Frames.size(), 2u);
  EXPECT_EQ(raw->Document.Frames[0].Pixels, kThreeByTwoPixels);
  EXPECT_EQ(raw->Document.Frames[0].DataSize, 6);
  EXPECT_EQ(raw->Document.Frames[0].FrameNumber, 0);
  EXPECT_EQ(raw->Document.Frames[1].Height, 4);
  EXPECT_TRUE(raw->Document.Frames[1].Pixels.empty());
}

TEST(SprReader, RefusesWrongMagicAndFilesShorterThanThePalette) {
  for (const char* magic : {"sp", "Sp", "PS", "\0\0"}) {
    Bytes bytes = OneFrameSprite(1);
    bytes[0] = static_cast<std::uint8_t>(magic[0]);
    bytes[1] = static_cast<std::uint8_t>(magic[1]);
    auto loaded = ParseSprite(bytes);
    ASSERT_FALSE(loaded) << magic;
    EXPECT_EQ(loaded.error().title, "Open error");
    EXPECT_EQ(loaded.error().text, "It's not a sprite format");
  }
  // Too short for a palette fails before the magic is seen.
  for (std::size_t size : {0, 2, 8, 1023}) {
    auto loaded = ParseSprite(Bytes(size, 'X'));
    ASSERT_FALSE(loaded);
    EXPECT_EQ(loaded.error().title, "Open error");
    EXPECT_NE(loaded.error().text.find("cut short"), std::string::npos) << loaded.error().text;
  }
}

TEST(SprReader, LoneTrailingZeroEmptiesThatFrameAndWarnsOncePerLoad) {
  const Bytes lone{1, 2, 0};
  auto loaded = ParseSprite(SprBytes().Header({.FrameCount = 4}).CodedFrame(3, 2, kThreeByTwoCode)
                                .CodedFrame(3, 1, lone).CodedFrame(3, 2, kThreeByTwoCode).CodedFrame(2, 2, Bytes{0})
                                .TestPalette().Build());
  ASSERT_TRUE(loaded);
  const auto& frames = loaded->Document.Frames;
  ASSERT_EQ(frames.size(), 4u);
  EXPECT_EQ(frames[0].Pixels, kThreeByTwoPixels);
  EXPECT_TRUE(frames[1].Pixels.empty());
  EXPECT_EQ(frames[1].Width, 3);
  EXPECT_EQ(frames[1].DataSize, 3);
  EXPECT_EQ(frames[2].Pixels, kThreeByTwoPixels);
  EXPECT_EQ(frames[2].FrameNumber, 3);
  EXPECT_TRUE(frames[3].Pixels.empty());
  ASSERT_TRUE(loaded->Warning);
  EXPECT_EQ(loaded->Warning->title, "Error decoding");
  EXPECT_EQ(loaded->Warning->text, "Cannot decode image correctly");
  EXPECT_NE(loaded->Warning->detail.find("Frames 2, 4 "), std::string::npos) << loaded->Warning->detail;
}

TEST(SprReader, PaletteIsTheLastKilobyteAndEverythingUninterpretedIsKept) {
  const Bytes trailing{0xDE, 0xAD, 0, 0xBE, 0xEF, 1, 2, 3, 4};
  auto loaded = ParseSprite(SprBytes().Header({.FrameCount = 1, .Reserved = {0xAB, 0xCD}})
                                .CodedFrame(3, 2, kThreeByTwoCode).Bytes(trailing).TestPalette().Build());
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded->Document.Header.TrailingData, trailing);
  EXPECT_EQ(loaded->Document.Header.Reserved, (std::array<std::uint8_t, 2>{0xAB, 0xCD}));
  EXPECT_EQ(loaded->Document.Header.Palette, Tool_Spr::SwapPaletteOrder(TestPaletteFileOrder()));
  EXPECT_EQ(loaded->Document.Frames[0].Pixels, kThreeByTwoPixels);

  // Frames may run into the palette's bytes; then nothing lies between them.
  const Bytes code(1024 - 14, 3);
  auto overlapping = ParseSprite(SprBytes().Header({.FrameCount = 1}).CodedFrame(10, 101, code).Build());
  ASSERT_TRUE(overlapping) << overlapping.error().text;
  EXPECT_TRUE(overlapping->Document.Header.TrailingData.empty());
  EXPECT_EQ(overlapping->Document.Frames[0].DataSize, 1010);
}

TEST(SprReader, MalformedCountsAndSizesAreErrors) {
  const auto failure = [](const Bytes& bytes) {
    auto loaded = ParseSprite(bytes);
    EXPECT_FALSE(loaded);
    return loaded ? std::string() : loaded.error().title + ": " + loaded.error().text;
  };
  EXPECT_EQ(failure(SprBytes().Header({.FrameCount = 0xFFFF}).TestPalette().Build()),
            "Open error: The frame count is negative (-1).");
  EXPECT_EQ(failure(SprBytes().Header({.FrameCount = 30000}).TestPalette().Build()),
            "Open error: The file declares 30000 frames, more than its 1032 bytes can hold.");
  EXPECT_EQ(failure(SprBytes().Header({.Minor = 0, .FrameCount = 32767}).TestPalette().Build()),
            "Open error: The file declares 32767 frames, more than its 1032 bytes can hold.");
  EXPECT_EQ(failure(SprBytes().Header({.FrameCount = 1}).CodedFrame(-3, 2, kThreeByTwoCode).TestPalette().Build()),
            "Open error: Frame 1 has a negative size (-3 x 2).");
  EXPECT_EQ(failure(SprBytes().Header({.Minor = 0, .FrameCount = 1}).RawFrame(2, -1, {}).TestPalette().Build()),
            "Open error: Frame 1 has a negative size (2 x -1).");
  EXPECT_EQ(failure(SprBytes().Header({.FrameCount = 2}).CodedFrame(3, 2, kThreeByTwoCode)
                        .I16(3).I16(2).I16(-6).Bytes(kThreeByTwoCode).TestPalette().Build()),
            "Open error: Frame 2 has a negative byte count (-6).");
  // A raw frame whose width x height bytes are not all there.
  EXPECT_EQ(failure(SprBytes().Header({.Minor = 0, .FrameCount = 1}).RawFrame(32767, 32767, {}).TestPalette().Build()),
            "Open error: Frame 1 is cut short.");
}

TEST(SprReader, EveryTruncationIsAnErrorOrReadsTheSameFrames) {
  // Frames longer than the palette, so that most prefixes cut into them.
  SprBytes builder;
  builder.Header({.FrameCount = 3});
  for (std::uint8_t i = 0; i < 3; ++i) {
    const Bytes code(600, static_cast<std::uint8_t>(i + 1));
    builder.CodedFrame(30, 20, code);
  }
  const Bytes full = builder.TestPalette().Build();
  auto expected = ParseSprite(full);
  ASSERT_TRUE(expected);
  const std::size_t framesEnd = 8 + 3 * (6 + 600);

  for (std::size_t length = 0; length < full.size(); ++length) {
    // A copy of exactly `length` bytes, so that a read past it is caught by the sanitizers.
    const Bytes prefix(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(length));
    auto loaded = ParseSprite(prefix);
    if (length < framesEnd) {
      ASSERT_FALSE(loaded) << "length " << length;
      EXPECT_EQ(loaded.error().title, "Open error");
    } else {
      ASSERT_TRUE(loaded) << "length " << length;
      EXPECT_EQ(loaded->Document.Frames, expected->Document.Frames);
    }
  }
  auto cut = ParseSprite(Bytes(full.begin(), full.begin() + 1100));
  ASSERT_FALSE(cut);
  EXPECT_EQ(cut.error().text, "Frame 2 is cut short.");
}

TEST(SprReader, LoadSpriteNamesTheFileInItsErrors) {
  TempDir dir;
  const auto good = dir / "hero.spr";
  ASSERT_TRUE(WriteFileAtomically(good, OneFrameSprite(1), "test"));
  auto loaded = LoadSprite(good);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded->Document, ParseSprite(OneFrameSprite(1))->Document);

  const auto cut = dir / "cut.spr";
  Bytes bytes = OneFrameSprite(1);
  bytes[13] = 0x70;  // frame 1 claims 28678 bytes of code
  ASSERT_TRUE(WriteFileAtomically(cut, bytes, "test"));
  auto failed = LoadSprite(cut);
  ASSERT_FALSE(failed);
  EXPECT_EQ(failed.error().title, "Open error");
  EXPECT_EQ(failed.error().text, "Cannot read \"" + cut.string() + "\": frame 1 is cut short.");

  const auto wrong = dir / "wrong.spr";
  bytes[0] = 's';
  ASSERT_TRUE(WriteFileAtomically(wrong, bytes, "test"));
  failed = LoadSprite(wrong);
  ASSERT_FALSE(failed);
  EXPECT_EQ(failed.error().text, "It's not a sprite format");
  EXPECT_NE(failed.error().detail.find(wrong.string()), std::string::npos);

  failed = LoadSprite(dir / "missing.spr");
  ASSERT_FALSE(failed);
  EXPECT_EQ(failed.error().title, "Open error");
  EXPECT_NE(failed.error().text.find("missing.spr"), std::string::npos);
}
