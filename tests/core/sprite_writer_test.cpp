#include <gtest/gtest.h>

#include <fstream>
#include <random>

#include "core/sprite/palette.h"
#include "core/sprite/rle.h"
#include "core/sprite/spr_reader.h"
#include "core/sprite/spr_writer.h"
#include "support/frame_builder.h"
#include "support/spr_bytes.h"
#include "support/temp_dir.h"

using namespace tessaloom;
using Bytes = std::vector<std::uint8_t>;
using Tool_Spr::ParseSprite;
using Tool_Spr::SaveSprite;
using Tool_Spr::SerializeSprite;

namespace {

// Memory order with distinct channels; in a file each entry reads red, green, blue, 0.
Bytes TestPaletteMemoryOrder() { return Tool_Spr::SwapPaletteOrder(TestPaletteFileOrder()); }

Bytes TestPaletteAsWritten() {
  Bytes palette = TestPaletteFileOrder();
  for (std::size_t i = 3; i < palette.size(); i += 4) palette[i] = 0;
  return palette;
}

SprDocument DocumentOf(std::vector<SprFrame> frames) {
  SprDocument document;
  document.Header.Palette = TestPaletteMemoryOrder();
  document.Header.FrameCount = static_cast<std::int16_t>(frames.size());
  document.Frames = std::move(frames);
  return document;
}

std::string RefusalText(const SprDocument& document) {
  auto bytes = SerializeSprite(document);
  EXPECT_FALSE(bytes);
  if (bytes) return {};
  EXPECT_EQ(bytes.error().title, "Save error");
  return bytes.error().text;
}

SprFrame RandomFrame(std::mt19937& random, int width, int height) {
  std::uniform_int_distribution<int> index(0, 255), zeroChance(0, 2);
  std::vector<Bytes> rows(static_cast<std::size_t>(height));
  for (Bytes& row : rows) {
    for (int x = 0; x < width; ++x) row.push_back(zeroChance(random) == 0 ? 0 : static_cast<std::uint8_t>(index(random)));
  }
  return FrameFromRows(rows);
}

Bytes ReadFile(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(file), {});
}

}  // namespace

TEST(SprWriter, WritesTheThreeByTwoFrameAndTheEmptySpriteByteForByte) {
  SprDocument document = DocumentOf({FrameFromRows({{5, 0, 0}, {7, 8, 9}})});
  document.Header.Compressed = 0;  // a saved file is coded whatever the document was read from
  const Bytes expected = SprBytes().Header({.Minor = 1, .Major = 2, .FrameCount = 1})
                             .CodedFrame(3, 2, Bytes{5, 0, 2, 7, 8, 9}).Bytes(TestPaletteAsWritten()).Build();
  EXPECT_EQ(SerializeSprite(document).value(), expected);

  const Bytes empty = SerializeSprite(DocumentOf({})).value();
  ASSERT_EQ(empty.size(), 8u + 1024u);
  EXPECT_EQ(Bytes(empty.begin(), empty.begin() + 8), (Bytes{'S', 'P', 1, 2, 0, 0, 0, 0}));
  EXPECT_EQ(Bytes(empty.begin() + 8, empty.end()), TestPaletteAsWritten());
}

TEST(SprWriter, FrameCountIsAFullSixteenBitValue) {
  const SprDocument document = DocumentOf(std::vector<SprFrame>(300, FrameFromRows({{1, 0}})));
  const Bytes bytes = SerializeSprite(document).value();
  EXPECT_EQ(bytes[4], 300 % 256);
  EXPECT_EQ(bytes[5], 300 / 256);
  auto loaded = ParseSprite(bytes);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded->Document.Frames.size(), 300u);
  EXPECT_EQ(loaded->Document.Frames[299].FrameNumber, 300);
}

TEST(SprWriter, ShortPaletteIsFilledWithBlack) {
  SprDocument document = DocumentOf({});
  document.Header.Palette = {30, 20, 10, 0, 3, 2, 1};
  const Bytes bytes = SerializeSprite(document).value();
  ASSERT_EQ(bytes.size(), 8u + 1024u);
  Bytes expected(1024, 0);
  expected[0] = 10, expected[1] = 20, expected[2] = 30, expected[4] = 1, expected[5] = 2, expected[6] = 3;
  EXPECT_EQ(Bytes(bytes.begin() + 8, bytes.end()), expected);
}

TEST(SprWriter, RefusesWhatTheFormatCannotHold) {
  SprDocument noPalette = DocumentOf({FrameFromRows({{1}})});
  noPalette.Header.Palette.clear();
  EXPECT_EQ(RefusalText(noPalette), "The sprite has no palette, so it cannot be saved.");
  EXPECT_EQ(RefusalText(DocumentOf(std::vector<SprFrame>(32768))), "The sprite has 32768 frames; a sprite file holds at most 32767.");
  EXPECT_TRUE(SerializeSprite(DocumentOf(std::vector<SprFrame>(32767))));
  EXPECT_EQ(RefusalText(DocumentOf({FrameFromRows({{1}}), SprFrame{.Width = -1, .Height = 2}})),
            "Frame 2 has a negative size (-1 x 2).");
  // Code length: 32767 literal bytes fit, 32768 do not.
  EXPECT_TRUE(SerializeSprite(DocumentOf({SolidFrame(32767, 1, 1)})));
  EXPECT_EQ(RefusalText(DocumentOf({SolidFrame(16384, 2, 1)})),
            "Frame 1 needs 32768 bytes of code; a sprite file allows at most 32767 per frame.");
}

// Failed writes are checked for every writer in write_faults_test.cpp.
TEST(SprWriter, RefusedSaveLeavesTheFileAsItWas) {
  TempDir dir;
  const auto path = dir / "hero.spr";
  SprDocument document = DocumentOf({FrameFromRows({{1, 2}})});
  ASSERT_TRUE(SaveSprite(path, document));
  const Bytes saved = ReadFile(path);
  EXPECT_EQ(saved, SerializeSprite(document).value());

  document.Header.Palette.clear();
  auto refused = SaveSprite(path, document);
  ASSERT_FALSE(refused);
  EXPECT_EQ(refused.error().title, "Save error");
  EXPECT_EQ(ReadFile(path), saved);
  EXPECT_EQ(TempDir::ListNames(dir.Path()), std::vector<std::string>{"hero.spr"});
}

TEST(SprWriter, RandomDocumentsSurviveSaveAndLoad) {
  std::mt19937 random(1234);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int width = 1; width <= 9; ++width) {
    std::vector<SprFrame> frames;
    for (int height : {1, 2, 3, 5, 8}) frames.push_back(RandomFrame(random, width, height));
    SprDocument document = DocumentOf(frames);
    document.Header.Reserved = {static_cast<std::uint8_t>(byte(random)), static_cast<std::uint8_t>(byte(random))};
    document.Header.TrailingData.resize(static_cast<std::size_t>(width * 3));
    for (auto& b : document.Header.TrailingData) b = static_cast<std::uint8_t>(byte(random));

    const Bytes bytes = SerializeSprite(document).value();
    auto loaded = ParseSprite(bytes);
    ASSERT_TRUE(loaded) << loaded.error().text;
    SprDocument expected = document;
    expected.Header.Compressed = 1;
    for (std::size_t i = 0; i < expected.Frames.size(); ++i) {
      expected.Frames[i].FrameNumber = static_cast<std::int16_t>(i + 1);
      expected.Frames[i].DataSize = static_cast<std::int32_t>(Tool_Spr::EncodeFrameRle(expected.Frames[i]).size());
    }
    EXPECT_EQ(loaded->Document, expected) << "width " << width;
    EXPECT_EQ(SerializeSprite(loaded->Document).value(), bytes);
  }
}

TEST(SprWriter, UninterpretedDataRoundTripsByteForByte) {
  const Bytes file = SprBytes().Header({.FrameCount = 2, .Reserved = {4, 0}})
                         .CodedFrame(3, 2, Bytes{5, 0, 2, 7, 8, 9}).CodedFrame(5, 1, Bytes{0, 5})
                         .Bytes(Bytes{9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 0xFF}).Bytes(TestPaletteAsWritten()).Build();
  auto loaded = ParseSprite(file);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(SerializeSprite(loaded->Document).value(), file);
}
