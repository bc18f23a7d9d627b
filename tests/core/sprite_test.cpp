// Sprites: the run-length code, files read and written, and frame edits. Malformed
// files are refused in limits/refusals_test.cpp.

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include "core/common/file_io.h"
#include "core/generators.h"
#include "core/sprite/rle.h"
#include "core/sprite/spr_edit.h"
#include "core/sprite/spr_reader.h"
#include "core/sprite/spr_writer.h"
#include "core/sprite/sprite_source.h"
#include "fuzz/rle_check.h"
#include "support/spr_bytes.h"
#include "support/temp_dir.h"

using namespace tessaloom;
using namespace tessaloom::Tool_Spr;
using Bytes = std::vector<std::uint8_t>;

namespace {

const Bytes kCode3x2{5, 0, 2, 7, 8, 9};
const Bytes kPixels3x2{7, 8, 9, 0, 5, 0, 0, 0};

Bytes Order(const SprDocument& document) {
  Bytes order;
  for (const SprFrame& frame : document.Frames) order.push_back(frame.Pixels.at(0));
  return order;
}

}  // namespace

// The fuzz target's check: the decoder against a plain reading of the rule, and a
// decoded frame that fills whole rows coded and decoded again.
RC_GTEST_PROP(SprRle, AnyCodeDecodesAsThePlainRuleSays, ()) {
  const auto width = *rc::gen::inRange<std::int16_t>(-2, 13);
  const auto code = *rc::gen::container<Bytes>(gen::Index(2));
  RC_ASSERT(fuzz::CheckRle(fuzz::RleInput(width, code)).value_or("") == "");
  const auto decoded = DecodeFrameRle(code, width);
  RC_ASSERT(DecodedFrameSize(code, width) == (decoded ? std::optional(decoded->size()) : std::nullopt));
}

// Neither the row padding nor pixels missing from a short frame are read: they code as 0.
RC_GTEST_PROP(SprRle, FramesRoundTripWithZeroRunsOfAtMost62, ()) {
  const auto rows = *gen::Rows(70, 5);
  const SprFrame frame = FrameFromRows(rows);
  RC_ASSERT(fuzz::CheckReencoding(frame.Pixels, frame.Width, rows.size() * rows[0].size()).value_or("") == "");
  SprFrame stored = FrameFromRows(rows, 0xEE), expected = frame;
  stored.Pixels.resize(*rc::gen::inRange<std::size_t>(0, stored.Pixels.size() + 1));
  std::fill(expected.Pixels.begin() + static_cast<std::ptrdiff_t>(stored.Pixels.size()), expected.Pixels.end(), 0);
  RC_ASSERT(EncodeFrameRle(stored) == EncodeFrameRle(expected));
}

TEST(SprRle, EncodesRowsTopDownWithTheLongestZeroPairs) {
  EXPECT_EQ(EncodeFrameRle(SolidFrame(63, 1, 0)), (Bytes{0, 62, 0, 1}));
  EXPECT_EQ(EncodeFrameRle(FrameFromRows({{1, 0, 0}, {0, 0, 2}})), (Bytes{1, 0, 4, 2}));
}

// The 32-bit colour frames are read from the data after the frames, saved as it was read.
RC_GTEST_PROP(SprFile, SavedSpritesLoadAsTheyWereAndSaveToTheSameBytes, ()) {
  SprDocument document = SpriteOf(*rc::gen::container<std::vector<SprFrame>>(*rc::gen::inRange(0, 6), gen::Frame()));
  document.RgbaFrames = *gen::Few(gen::RgbaFrame());
  SprBytes stored;
  for (const SprRgbaFrame& frame : document.RgbaFrames) stored.RgbaFrame(frame.Width, frame.Height, frame.Pixels);
  document.Header.Reserved = {static_cast<std::uint8_t>(document.RgbaFrames.size()), 0};
  document.Header.TrailingData = stored.Bytes(*rc::gen::arbitrary<Bytes>()).Build();
  const Bytes bytes = SerializeSprite(document).value();
  const auto loaded = ParseSprite(bytes);
  RC_ASSERT(loaded.has_value() && !loaded->Warning);
  document.Header.Compressed = 1;
  for (std::size_t i = 0; i < document.Frames.size(); ++i) {
    document.Frames[i].FrameNumber = static_cast<std::int16_t>(i + 1);
    document.Frames[i].DataSize = static_cast<std::int32_t>(EncodeFrameRle(document.Frames[i]).size());
  }
  RC_ASSERT(loaded->Document == document);
  RC_ASSERT(SerializeSprite(loaded->Document).value() == bytes);
}

// A full 16-bit frame count, and the palette in file order with black for missing entries.
TEST(SprFile, WritesTheCodedFileByteForByte) {
  SprDocument document = SpriteOf(std::vector<SprFrame>(300, FrameFromRows({{5, 0, 0}, {7, 8, 9}})));
  document.Header.Palette = {30, 20, 10, 0xAB, 3, 2, 1};
  SprBytes expected;
  expected.Header({.Minor = 1, .Major = 2, .FrameCount = 300});
  for (int i = 0; i < 300; ++i) expected.CodedFrame(3, 2, kCode3x2);
  Bytes palette(1024, 0);
  std::copy_n(Bytes{10, 20, 30, 0, 1, 2, 3}.begin(), 7, palette.begin());
  EXPECT_EQ(SerializeSprite(document).value(), expected.Bytes(palette).Build());
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
      {SpriteOf({SolidFrame(16384, 2, 1)}),
       "Frame 1 needs 32768 bytes of code; a sprite file allows at most 32767 per frame."}};
  for (const auto& [document, refusal] : cases) {
    const auto bytes = SerializeSprite(document);
    EXPECT_EQ(bytes ? "" : bytes.error().title + ": " + bytes.error().text, refusal.empty() ? "" : "Save error: " + refusal);
  }
}

// The palette's fourth bytes are dropped: file entry 1 is red 1, green 254, blue 7, x 1.
TEST(SprFile, AnyNonZeroMinorByteMeansCodedFramesAndZeroRawOnes) {
  for (std::uint8_t minor : {1, 0xFF}) {
    const SprDocument document = ParseSprite(SprBytes().Header({.Minor = minor, .Major = 9, .FrameCount = 1})
                                                 .CodedFrame(3, 2, kCode3x2).TestPalette().Build())->Document;
    EXPECT_EQ(document.Header.Compressed, 1);
    EXPECT_EQ(document.Frames.at(0),
              (SprFrame{.Width = 3, .Height = 2, .DataSize = 6, .FrameNumber = 1, .Pixels = kPixels3x2}));
    EXPECT_EQ(Bytes(document.Header.Palette.begin() + 4, document.Header.Palette.begin() + 8), (Bytes{7, 254, 1, 0}));
  }
  // Raw rows come top-down and unpadded.
  const SprDocument raw = ParseSprite(SprBytes().Header({.Minor = 0, .FrameCount = 2}).RawFrame(3, 2, Bytes{5, 0, 0, 7, 8, 9})
                                          .RawFrame(0, 4, {}).TestPalette().Build())->Document;
  EXPECT_EQ(raw.Header.Compressed, 0);
  EXPECT_EQ(raw.Frames, (std::vector<SprFrame>{{.Width = 3, .Height = 2, .DataSize = 6, .Pixels = kPixels3x2}, {.Height = 4}}));
}

// Pixels are alpha, blue, green, red, rows bottom-up. The data after the frames is kept
// whatever it decodes to.
TEST(SprFile, Reads32BitFramesFromVersion2WhenEveryCountedOneFits) {
  // 2 x 2: the bottom row's pixels, then the top row's; then a 0 x 5 frame and a byte no frame claims.
  const Bytes stored{2, 0, 2, 0, 0x80, 1, 2, 3, 0x81, 0x11, 0x12, 0x13, 0x82, 0x21, 0x22, 0x23, 0x83, 0x31, 0x32, 0x33,
                     0, 0, 5, 0, 'x'};
  const std::vector<SprRgbaFrame> frames{
      {.Width = 2, .Height = 2, .Pixels = {0x82232221, 0x83333231, 0x80030201, 0x81131211}}, {.Width = 0, .Height = 5}};
  const auto read = [&](std::uint8_t minor, std::uint8_t major, std::array<std::uint8_t, 2> count) {
    const auto loaded = ParseSprite(SprBytes().Header({.Minor = minor, .Major = major, .Reserved = count})
                                        .Bytes(stored).TestPalette().Build());
    EXPECT_EQ(loaded->Document.Header.TrailingData, stored);
    return loaded->Document.RgbaFrames;
  };
  EXPECT_EQ(read(0, 2, {2, 0}), frames);
  EXPECT_EQ(read(5, 2, {1, 0}), std::vector<SprRgbaFrame>(frames.begin(), frames.begin() + 1));
  EXPECT_TRUE(read(0xFF, 1, {2, 0}).empty());     // version 1.255
  EXPECT_TRUE(read(0, 2, {3, 0}).empty());        // a third frame is not there
  EXPECT_TRUE(read(0, 2, {0xFF, 0xFF}).empty());  // a negative count
}

TEST(SprFile, LoneTrailingZeroEmptiesThatFrameAndWarnsOncePerLoad) {
  auto loaded = ParseSprite(SprBytes().Header({.FrameCount = 4}).CodedFrame(3, 2, kCode3x2).CodedFrame(3, 1, Bytes{1, 2, 0})
                                .CodedFrame(3, 2, kCode3x2).CodedFrame(2, 2, Bytes{0}).TestPalette().Build());
  const auto& frames = loaded->Document.Frames;
  EXPECT_EQ(frames.at(1), (SprFrame{.Width = 3, .Height = 1, .DataSize = 3, .FrameNumber = 2}));
  EXPECT_EQ(frames.at(2).Pixels, kPixels3x2);
  EXPECT_TRUE(frames.at(3).Pixels.empty());
  ASSERT_TRUE(loaded->Warning);
  EXPECT_EQ(loaded->Warning->title + ": " + loaded->Warning->text, "Error decoding: Cannot decode image correctly");
  EXPECT_NE(loaded->Warning->detail.find("Frames 2, 4 "), std::string::npos) << loaded->Warning->detail;
}

// Frames may run into the palette, which is always the last kilobyte; a truncated file
// is refused unless only data after the frames is lost.
TEST(SprFile, EveryTruncationIsAnErrorOrReadsTheSameFrames) {
  const Bytes intoPalette = SprBytes().Header({.FrameCount = 1}).CodedFrame(10, 101, Bytes(1010, 3)).Build();
  EXPECT_EQ(ParseSprite(intoPalette)->Document.Frames[0].DataSize, 1010);
  SprDocument sprite = VariedSprite();
  ASSERT_TRUE(InsertFrame(sprite, 0, SolidFrame(300, 4, 7)));  // longer than a palette: most cuts fall in the frames
  const Bytes full = SerializeSprite(sprite).value();
  const auto expected = ParseSprite(full);
  const std::size_t framesEnd = full.size() - 1024 - sprite.Header.TrailingData.size();
  for (std::size_t length = 0; length < full.size(); ++length) {
    // A copy of exactly `length` bytes, so that a read past it is caught by the sanitizers.
    const auto loaded = ParseSprite(Bytes(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(length)));
    ASSERT_EQ(loaded.has_value(), length >= framesEnd) << length;
    EXPECT_TRUE(!loaded || loaded->Document.Frames == expected->Document.Frames) << length;
  }
}

// Reads anywhere, in any order, through any window size: always the file's own bytes,
// and a range past a file that shrank since it was opened is a read error.
RC_GTEST_PROP(SprFileSource, ReadsTheFilesBytesThroughAWindowOfAnySize, ()) {
  const auto bytes = *rc::gen::nonEmpty(rc::gen::container<Bytes>(rc::gen::arbitrary<std::uint8_t>()));
  TempDir folder;
  RC_ASSERT(WriteFileAtomically(folder / "hero.spr", bytes, "test"));
  auto source = FileSource::Open(folder / "hero.spr", "test", *rc::gen::inRange<std::size_t>(1, bytes.size() + 2));
  RC_ASSERT(source.has_value());
  RC_ASSERT((*source)->Size() == bytes.size());
  for (int read = 0; read < 8; ++read) {
    const auto offset = *rc::gen::inRange<std::size_t>(0, bytes.size());
    const auto count = *rc::gen::inRange<std::size_t>(0, bytes.size() - offset + 1);
    const auto piece = (*source)->Read(offset, count);
    RC_ASSERT(piece.has_value());
    RC_ASSERT(Bytes(piece->begin(), piece->end()) == Bytes(bytes.begin() + offset, bytes.begin() + offset + count));
  }
  auto shrunk = FileSource::Open(folder / "hero.spr", "test");
  std::filesystem::resize_file(folder / "hero.spr", 0);
  RC_ASSERT((*shrunk)->Read(0, 1).error().text.starts_with("Cannot read"));
}

// Frames are told apart by their one pixel.
TEST(SprEdit, FramesGoInAfterTheGivenOneMoveAndGoOutWithTheCountInStep) {
  SprDocument document = SpriteOf({SolidFrame(1, 1, 1), SolidFrame(1, 1, 2), SolidFrame(1, 1, 3)});
  ASSERT_TRUE(InsertFrame(document, 2, SolidFrame(1, 1, 9)));
  ASSERT_TRUE(InsertFrame(document, 4, SolidFrame(1, 1, 8)));
  ASSERT_TRUE(InsertFrame(document, 0, SolidFrame(1, 1, 7)));
  EXPECT_EQ(Order(document), (Bytes{7, 1, 2, 9, 3, 8}));
  EXPECT_EQ(document.Frames.back().FrameNumber, 6);
  for (int index : {1, 5, -1}) DeleteFrame(document, index);  // 5: one past the last of the five left
  EXPECT_EQ(Order(document), (Bytes{7, 2, 9, 3, 8}));
  EXPECT_EQ(document.Header.FrameCount, 5);
  for (const auto& [from, to] : {std::pair{0, 3}, {4, 1}, {2, 2}, {5, 0}, {0, -1}}) MoveFrame(document, from, to);
  EXPECT_EQ(Order(document), (Bytes{2, 8, 9, 3, 7}));
  MoveFrame(document, 1, 4);
  MoveFrame(document, 4, 1);
  EXPECT_EQ(Order(document), (Bytes{2, 8, 9, 3, 7}));
  const SprDocument before = document;
  for (int after : {-1, 6}) EXPECT_EQ(InsertFrame(document, after, SolidFrame(1, 1, 9)).error().title, "Add error");
  EXPECT_EQ(document, before);
  document.Header.Compressed = 1;
  document.Header.Reserved = {1, 2};
  document.Header.TrailingData = {3};
  document.RgbaFrames.resize(1);
  ClearDocument(document);
  EXPECT_EQ(document, (SprDocument{.Header = {.Compressed = 1}}));
}

TEST(SprEdit, ASpriteHoldsAtMost32767Frames) {
  SprDocument full = SpriteOf(std::vector<SprFrame>(kMaxFrames - 1));
  ASSERT_TRUE(InsertFrame(full, 1, SolidFrame(1, 1, 9)));
  EXPECT_EQ(InsertFrame(full, 1, SolidFrame(1, 1, 9)).error().text,
            "The sprite already has 32767 frames, the most a sprite file can hold.");
  EXPECT_EQ(full.Frames.size(), static_cast<std::size_t>(kMaxFrames));
}
