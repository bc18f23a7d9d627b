#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include "core/common/file_io.h"
#include "core/palette/tool_pal.h"
#include "core/sprite/palette.h"
#include "support/spr_bytes.h"
#include "support/temp_dir.h"

using namespace tessaloom;
using Tool_Pal::PalForm;
using Bytes = std::vector<std::uint8_t>;

// Any palette of whole entries: the raw form keeps it as it is, the RIFF form always
// holds 256 entries; both are the file order of the swap.
RC_GTEST_PROP(PaletteFile, ExportedPalettesImportAsTheyWere, ()) {
  const auto entries = *rc::gen::inRange<std::size_t>(0, 300);
  Bytes palette = Tool_Spr::SwapPaletteOrder(*rc::gen::container<Bytes>(4 * entries, rc::gen::arbitrary<std::uint8_t>()));
  const Bytes raw = Tool_Pal::SerializePalette(palette, PalForm::Raw);
  RC_ASSERT(raw == Tool_Spr::SwapPaletteOrder(palette));
  RC_ASSERT(Tool_Pal::ParsePalette(raw, PalForm::Raw) == palette);
  const Bytes riff = Tool_Pal::SerializePalette(palette, PalForm::Riff);
  const auto full = Tool_Spr::FullPalette(palette);
  RC_ASSERT(Bytes(riff.begin() + 24, riff.end()) == Tool_Spr::SwapPaletteOrder(full));
  RC_ASSERT(Tool_Pal::ParsePalette(riff, PalForm::Riff) == Bytes(full.begin(), full.end()));
  RC_ASSERT(Tool_Pal::FormOf(riff) == PalForm::Riff);
  RC_ASSERT(Tool_Pal::FormOf(raw) == PalForm::Raw);
}

TEST(PaletteFile, WritesTheFixedRiffHeaderAndReadsWhateverLengthTheFileHas) {
  const Bytes riff = Tool_Pal::SerializePalette({}, PalForm::Riff);
  EXPECT_EQ(Bytes(riff.begin(), riff.begin() + 24),
            (Bytes{'R', 'I', 'F', 'F', 0x10, 0x04, 0x00, 0x00, 'P', 'A', 'L', ' ', 'd', 'a', 't', 'a', 0x04, 0x04,
                   0x00, 0x00, 0x00, 0x03, 0x00, 0x01}));
  EXPECT_EQ(Tool_Pal::ParsePalette(Bytes{1, 2, 3, 4, 5, 6}, PalForm::Raw), (Bytes{3, 2, 1, 0, 5, 6, 0}));
  EXPECT_EQ(Tool_Pal::ParsePalette(Bytes(26, 7), PalForm::Riff), (Bytes{7, 7, 0}));
  EXPECT_TRUE(Tool_Pal::ParsePalette(Bytes(23, 7), PalForm::Riff).empty());
}

TEST(PaletteFile, AnEmptyPaletteOnlyReplacesAnEmptyOne) {
  const Bytes loaded(1024, 9);
  EXPECT_FALSE(Tool_Pal::CheckReplacement(loaded, {}));
  EXPECT_TRUE(Tool_Pal::CheckReplacement({}, {}));
  EXPECT_TRUE(Tool_Pal::CheckReplacement({}, loaded));
}

// The refusal's words are checked in limits/refusals_test.cpp.
TEST(PaletteFile, ImportsFilesUpToTheSizeLimit) {
  TempDir dir;
  ASSERT_TRUE(Tool_Pal::ExportPalette(dir / "colours.pal", TestPaletteFileOrder(), PalForm::Riff));
  EXPECT_EQ(Tool_Pal::ImportPalette(dir / "colours.pal", PalForm::Riff).value(),
            Tool_Spr::SwapPaletteOrder(Tool_Spr::SwapPaletteOrder(TestPaletteFileOrder())));
  EXPECT_EQ(Tool_Pal::ImportPalette(dir / "colours.pal").value(),
            Tool_Pal::ImportPalette(dir / "colours.pal", PalForm::Riff).value());
  ASSERT_TRUE(WriteFileAtomically(dir / "limit.pal", Bytes(Tool_Pal::kMaxPaletteFileSize, 0), "test"));
  EXPECT_TRUE(Tool_Pal::ImportPalette(dir / "limit.pal", PalForm::Raw));
  ASSERT_TRUE(WriteFileAtomically(dir / "large.pal", Bytes(Tool_Pal::kMaxPaletteFileSize + 1, 0), "test"));
  EXPECT_FALSE(Tool_Pal::ImportPalette(dir / "large.pal", PalForm::Raw));
}
