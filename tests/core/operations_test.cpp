// The operations both front ends offer: frame export and its file names, a bitmap
// added as a frame, a palette entry set. Writing files all or nothing is checked in
// file_io_test.cpp.

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include "core/common/file_io.h"
#include "core/operations/sprite_operations.h"
#include "core/convert/converter_bmp.h"
#include "core/convert/converter_gif.h"
#include "core/convert/converter_png.h"
#include "support/frame_builder.h"
#include "support/temp_dir.h"

using namespace tessaloom;

namespace {

using Bytes = std::vector<std::uint8_t>;
using Names = std::vector<std::string>;

Bytes ReadBytes(const std::filesystem::path& path) {
  auto bytes = ReadWholeFile(path, "test");
  return bytes ? *bytes : Bytes{};
}

SprDocument ThreeFrames() {
  return SpriteOf({SolidFrame(2, 2, 1), FrameFromRows({{1, 2, 0, 1, 2}, {0, 0, 1, 1, 2}}), SolidFrame(3, 1, 2)});
}

// Three indexed frames and, numbered 4, a 32-bit colour frame.
SprDocument WithA32BitFrame() {
  SprDocument sprite = ThreeFrames();
  sprite.RgbaFrames = {{.Width = 2, .Height = 1, .Pixels = {0x80FF4020, 0x00000000}}};
  return sprite;
}

Bytes RgbaPng(const SprRgbaFrame& frame) {
  Image image(frame.Width, frame.Height);
  image.Pixels = frame.Pixels;
  return Converter_Png::EncodeRgbaPng(image).value();
}

}  // namespace

TEST(NumberedFileName, DropsOnlyARealExtensionAndPadsToTwoDigits) {
  EXPECT_EQ(NumberedFileName("/x/hero.gif", 1, ".gif"), "/x/hero-01.gif");
  EXPECT_EQ(NumberedFileName("/x/a.bmp", 100, ".bmp"), "/x/a-100.bmp");
  EXPECT_EQ(NumberedFileName("/x.y/hero", 3, ".png"), "/x.y/hero-03.png");
}

// Only PNG takes the 32-bit colour frame, after the indexed ones.
TEST(ExportAllFrames, WritesEachFrameAsTheConvertersCodeIt) {
  const SprDocument sprite = WithA32BitFrame();
  const SprHeader& header = sprite.Header;
  const std::vector<std::pair<ExportFormat, std::function<Bytes(const SprFrame&)>>> stills{
      {ExportFormat::Bmp, [&](const SprFrame& frame) { return Converter_Bmp::SerializeBmp(header, frame); }},
      {ExportFormat::Gif, [&](const SprFrame& frame) { return Converter_Gif::EncodeGif(header, frame, true); }},
      {ExportFormat::Gif87, [&](const SprFrame& frame) { return Converter_Gif::EncodeGif(header, frame, false); }},
      {ExportFormat::Png, [&](const SprFrame& frame) { return *Converter_Png::EncodeIndexedPng(header, frame); }},
  };
  for (const auto& [format, encode] : stills) {
    TempDir dir;
    ASSERT_TRUE(ExportAllFrames(sprite, format, dir / "hero.out"));
    const bool png = format == ExportFormat::Png;
    EXPECT_EQ(TempDir::ListNames(dir.Path()).size(), png ? 4u : 3u);
    for (int number = 1; number <= 3; ++number) {
      EXPECT_EQ(ReadBytes(NumberedFileName(dir / "hero.out", number, ExportExtension(format))),
                encode(sprite.Frames[static_cast<std::size_t>(number - 1)]));
    }
    ASSERT_TRUE(ExportFrame(sprite, 2, format, dir / "two"));
    EXPECT_EQ(ReadBytes(dir / "two"), encode(sprite.Frames[1]));
    const Status four = ExportFrame(sprite, 4, format, dir / "four");
    EXPECT_EQ(ReadBytes(dir / "four"), png ? RgbaPng(sprite.RgbaFrames[0]) : Bytes{});
    EXPECT_EQ(four ? "" : four.error().title + ": " + four.error().text,
              png ? "" : "Export error: Frame 4 is a 32-bit colour frame; only PNG can hold it.");
    EXPECT_EQ(ReadBytes(dir / "hero-04.png"), png ? RgbaPng(sprite.RgbaFrames[0]) : Bytes{});
  }
  for (const bool transparent : {true, false}) {
    TempDir dir;
    int coded = 0;
    const ExportFormat format = transparent ? ExportFormat::AnimatedGif : ExportFormat::AnimatedGif87;
    ASSERT_TRUE(ExportAllFrames(sprite, format, dir / "walk.gif", {.BeforeEachFrame = [&] { return ++coded > 0; }}));
    EXPECT_EQ(ReadBytes(dir / "walk.gif"), *Converter_Gif::EncodeAnimatedGif(header, sprite.Frames, transparent));
    EXPECT_EQ(coded, 3);
  }
}

TEST(ExportAllFrames, AFailureWritesNoFile) {
  SprDocument sprite = ThreeFrames();
  TempDir dir;
  ASSERT_TRUE(WriteFileAtomically(dir / "hero-01.png", Bytes{'o', 'l', 'd'}, "test"));
  EXPECT_EQ(ExportFrame(WithA32BitFrame(), 5, ExportFormat::Png, dir / "hero.png").error().detail,
            "It has 3 frame(s) and 1 32-bit colour frame(s).");
  // Stopped by its caller before the second frame, in either kind of export.
  for (const ExportFormat format : {ExportFormat::Png, ExportFormat::AnimatedGif}) {
    int calls = 0;
    const Status stopped = ExportAllFrames(sprite, format, dir / "stop.gif", {.BeforeEachFrame = [&] { return ++calls < 2; }});
    EXPECT_EQ(stopped ? "" : stopped.error().text, "The export was cancelled.");
  }
  for (const int number : {0, 4}) {
    const Status status = ExportFrame(sprite, number, ExportFormat::Png, dir / "hero.png");
    ASSERT_FALSE(status);
    EXPECT_EQ(status.error().text, "The sprite has no frame " + std::to_string(number) + ".");
  }
  sprite.Frames.back() = SprFrame{};  // a PNG cannot be empty
  const Status status = ExportAllFrames(sprite, ExportFormat::Png, dir / "hero.png");
  ASSERT_FALSE(status);
  EXPECT_EQ(status.error().title, kExportErrorTitle);
  EXPECT_EQ(ReadBytes(dir / "hero-01.png"), (Bytes{'o', 'l', 'd'}));
  EXPECT_EQ(TempDir::ListNames(dir.Path()), Names{"hero-01.png"});
}

TEST(InsertBitmapFrame, OnlyASpriteWithoutPaletteTakesTheColourTable) {
  const SprFrame pose = FrameFromRows({{1, 1, 1, 1, 1}, {0, 1, 0, 1, 0}});
  const Converter_Bmp::BmpImage bitmap{.Width = 5, .Height = 2, .Pixels = pose.Pixels, .ColorTable = Bytes(1024, 7)};
  for (const bool hasPalette : {true, false}) {
    SprDocument sprite = ThreeFrames();
    if (!hasPalette) sprite.Header.Palette.clear();
    const Bytes palette = hasPalette ? sprite.Header.Palette : bitmap.ColorTable;
    ASSERT_TRUE(InsertBitmapFrame(sprite, 1, bitmap));
    EXPECT_EQ(sprite.Frames[1].Pixels, pose.Pixels);
    EXPECT_EQ(sprite.Header.Palette, palette);
  }
}

RC_GTEST_PROP(SetPaletteColor, WritesOnlyTheEntryInMemoryOrder,
              (std::uint8_t red, std::uint8_t green, std::uint8_t blue)) {
  const int index = *rc::gen::inRange(-1, kPaletteEntries + 1);
  const auto size = *rc::gen::inRange<std::size_t>(0, kPaletteBytes + 8);
  Bytes palette = *rc::gen::container<Bytes>(size, rc::gen::arbitrary<std::uint8_t>());
  Bytes expected = palette;
  const auto at = static_cast<std::size_t>(4 * index);
  const bool holds = index >= 0 && index < kPaletteEntries && at + 3 <= size;
  if (holds) std::copy_n(Bytes{blue, green, red}.begin(), 3, expected.begin() + static_cast<std::ptrdiff_t>(at));

  RC_ASSERT(Tool_Spr::SetPaletteColor(palette, index, MakeColor(red, green, blue)) == holds);
  RC_ASSERT(palette == expected);
}
