#include <gtest/gtest.h>

#include <fstream>

#include "core/palette/tool_pal.h"
#include "core/sprite/palette.h"
#include "support/temp_dir.h"

using namespace tessaloom;
using Tool_Pal::PalForm;

namespace {

using Bytes = std::vector<std::uint8_t>;

// A full palette in memory order (blue, green, red, 0) with every entry distinct.
Bytes DistinctPalette() {
  Bytes palette(kPaletteBytes, 0);
  for (int entry = 0; entry < kPaletteEntries; ++entry) {
    palette[entry * 4] = static_cast<std::uint8_t>(entry);
    palette[entry * 4 + 1] = static_cast<std::uint8_t>(entry ^ 0x5A);
    palette[entry * 4 + 2] = static_cast<std::uint8_t>(255 - entry);
  }
  palette[5 * 4] = 0x10;
  palette[5 * 4 + 1] = 0x20;
  palette[5 * 4 + 2] = 0x30;
  return palette;
}

Bytes At(const Bytes& bytes, std::size_t offset, std::size_t count) {
  return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(offset),
               bytes.begin() + static_cast<std::ptrdiff_t>(offset + count));
}

void WriteFile(const std::filesystem::path& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace

TEST(PaletteFile, WritesEntriesInFileOrderAfterTheFixedRiffHeader) {
  const Bytes palette = DistinctPalette();
  const Bytes raw = Tool_Pal::SerializePalette(palette, PalForm::Raw);
  const Bytes riff = Tool_Pal::SerializePalette(palette, PalForm::Riff);
  ASSERT_EQ(raw.size(), 1024u);
  ASSERT_EQ(riff.size(), 1048u);
  EXPECT_EQ(At(raw, 20, 4), (Bytes{0x30, 0x20, 0x10, 0x00}));
  EXPECT_EQ(At(riff, 44, 4), (Bytes{0x30, 0x20, 0x10, 0x00}));

  EXPECT_EQ(At(riff, 0, 24), (Bytes{'R', 'I', 'F', 'F', 0x10, 0x04, 0x00, 0x00, 'P', 'A', 'L', ' ', 'd', 'a', 't', 'a',
                                    0x04, 0x04, 0x00, 0x00, 0x00, 0x03, 0x00, 0x01}));
  EXPECT_EQ(At(riff, 24, 1024), raw);
}

TEST(PaletteFile, RoundTripsThroughFilesInBothForms) {
  const Bytes palette = DistinctPalette();
  TempDir dir;
  for (PalForm form : {PalForm::Raw, PalForm::Riff}) {
    ASSERT_TRUE(Tool_Pal::ExportPalette(dir / "colours.pal", palette, form));
    auto imported = Tool_Pal::ImportPalette(dir / "colours.pal", form);
    ASSERT_TRUE(imported);
    EXPECT_EQ(*imported, palette);
  }
}

TEST(PaletteFile, ReadsWhateverLengthTheFileHas) {
  const Bytes palette = DistinctPalette();
  const Bytes raw = Tool_Pal::SerializePalette(palette, PalForm::Raw);
  // A raw file read as RIFF loses its first 6 entries to the header.
  EXPECT_EQ(Tool_Pal::ParsePalette(raw, PalForm::Riff), At(palette, 24, 1000));

  const Bytes odd{1, 2, 3, 4, 5, 6};
  EXPECT_EQ(Tool_Pal::ParsePalette(odd, PalForm::Raw), (Bytes{3, 2, 1, 0, 5, 6, 0}));
  EXPECT_TRUE(Tool_Pal::ParsePalette(Bytes(23, 7), PalForm::Riff).empty());
  EXPECT_TRUE(Tool_Pal::ParsePalette({}, PalForm::Raw).empty());
}

TEST(PaletteFile, RiffFilesAlwaysHoldTheEntriesTheirHeaderClaims) {
  const Bytes shortPalette{0x10, 0x20, 0x30, 0};
  const Bytes riff = Tool_Pal::SerializePalette(shortPalette, PalForm::Riff);
  ASSERT_EQ(riff.size(), 1048u);
  EXPECT_EQ(At(riff, 24, 4), (Bytes{0x30, 0x20, 0x10, 0}));
  EXPECT_EQ(At(riff, 28, 1020), Bytes(1020, 0));
  // The raw form keeps the palette as it is.
  EXPECT_EQ(Tool_Pal::SerializePalette(shortPalette, PalForm::Raw), (Bytes{0x30, 0x20, 0x10, 0}));
}

TEST(PaletteFile, AnEmptyPaletteOnlyReplacesAnEmptyOne) {
  const Bytes loaded = DistinctPalette();
  const Status refused = Tool_Pal::CheckReplacement(loaded, {});
  ASSERT_FALSE(refused);
  EXPECT_EQ(refused.error().text, "This palette cannot be loaded");
  EXPECT_EQ(refused.error().title, "Palettte failed to load");
  EXPECT_TRUE(Tool_Pal::CheckReplacement({}, {}));
  EXPECT_TRUE(Tool_Pal::CheckReplacement(loaded, loaded));
  EXPECT_TRUE(Tool_Pal::CheckReplacement({}, loaded));

  TempDir dir;
  WriteFile(dir / "empty.pal", {});
  auto imported = Tool_Pal::ImportPalette(dir / "empty.pal", PalForm::Raw);
  ASSERT_TRUE(imported);
  EXPECT_FALSE(Tool_Pal::CheckReplacement(loaded, *imported));
}

// Failed writes are checked for every writer in write_faults_test.cpp.
TEST(PaletteFile, RefusesUnreadableAndOversizedFilesByName) {
  TempDir dir;
  WriteFile(dir / "large.pal", Bytes(Tool_Pal::kMaxPaletteFileSize + 1, 0));
  WriteFile(dir / "limit.pal", Bytes(Tool_Pal::kMaxPaletteFileSize, 0));
  EXPECT_TRUE(Tool_Pal::ImportPalette(dir / "limit.pal", PalForm::Raw));
  for (const char* name : {"missing.pal", "large.pal"}) {
    auto refused = Tool_Pal::ImportPalette(dir / name, PalForm::Riff);
    ASSERT_FALSE(refused) << name;
    EXPECT_EQ(refused.error().title, "Palette error");
    EXPECT_NE(refused.error().text.find(name), std::string::npos);
  }
}

TEST(PaletteFile, SwappingTwiceRestoresEntriesWithTheFourthByteZero) {
  Bytes memory = DistinctPalette();
  for (std::size_t i = 3; i < memory.size(); i += 4) memory[i] = 0xAB;
  const Bytes twice = Tool_Spr::SwapPaletteOrder(Tool_Spr::SwapPaletteOrder(memory));
  ASSERT_EQ(twice.size(), memory.size());
  for (std::size_t i = 0; i < memory.size(); ++i) EXPECT_EQ(twice[i], i % 4 == 3 ? 0 : memory[i]) << i;
}
