// Exporting straight from a sprite file, one frame at a time, against loading the
// file whole and exporting the loaded sprite: the same files byte for byte, or the
// same error and no file at all.

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include "core/common/file_io.h"
#include "core/generators.h"
#include "core/operations/file_export.h"
#include "core/sprite/spr_reader.h"
#include "support/spr_bytes.h"
#include "support/temp_dir.h"

using namespace tessaloom;

namespace {

using Bytes = std::vector<std::uint8_t>;
using Names = std::vector<std::string>;

// Coded or raw frames up to 9 x 4 with any code: codes that end in a lone 0, codes
// longer or shorter than their frame, now and then one so long that its stored rows
// are wider than a GIF image; 32-bit colour frames after them; sometimes with bytes
// missing before the palette.
Bytes SpriteFileBytes() {
  const bool coded = *rc::gen::arbitrary<bool>();
  const auto count = *rc::gen::inRange<std::uint16_t>(0, 6);
  const auto rgba = *gen::Few(gen::RgbaFrame());
  SprBytes file;
  file.Header({.Minor = static_cast<std::uint8_t>(coded ? 1 : 0), .FrameCount = count,
               .Reserved = {static_cast<std::uint8_t>(rgba.size()), 0}});
  for (std::uint16_t i = 0; i < count; ++i) {
    const auto width = *rc::gen::inRange<std::int16_t>(0, 10);
    const auto height = *rc::gen::inRange<std::int16_t>(0, 5);
    if (!coded) {
      file.RawFrame(width, height, *rc::gen::container<Bytes>(static_cast<std::size_t>(width * height), gen::Index(2)));
    } else if (*rc::gen::inRange(0, 20) == 0) {
      Bytes zeros;
      for (int pair = 0; pair < 260; ++pair) zeros.insert(zeros.end(), {0, 255});
      file.CodedFrame(1, 1, zeros);
    } else {
      file.CodedFrame(width, height, *rc::gen::container<Bytes>(*rc::gen::inRange(0, 40), gen::Index(2)));
    }
  }
  for (const SprRgbaFrame& frame : rgba) file.RgbaFrame(frame.Width, frame.Height, frame.Pixels);
  Bytes bytes = file.Build();
  if (*rc::gen::weightedElement<bool>({{3, false}, {1, true}})) {
    const auto cut = bytes.begin() + *rc::gen::inRange<std::ptrdiff_t>(0, static_cast<std::ptrdiff_t>(bytes.size()));
    bytes.erase(cut, cut + *rc::gen::inRange<std::ptrdiff_t>(0, bytes.end() - cut + 1));
  }
  const Bytes palette = TestPaletteFileOrder();
  bytes.insert(bytes.end(), palette.begin(), palette.end());
  return bytes;
}

std::string Words(const Error& error) {
  return error.title + "|" + error.text + "|" + error.detail + "|" + std::to_string(error.offset);
}
std::string Words(const std::optional<Error>& error) { return error ? Words(*error) : ""; }

// Every file of `folder`, by name, with its bytes.
std::vector<std::pair<std::string, Bytes>> Files(const std::filesystem::path& folder) {
  std::vector<std::pair<std::string, Bytes>> files;
  for (const std::string& name : TempDir::ListNames(folder)) files.emplace_back(name, *ReadWholeFile(folder / name, ""));
  return files;
}

}  // namespace

RC_GTEST_PROP(ExportSpriteFile, WritesWhatExportingTheLoadedSpriteWritesOrFailsAsItsLoad, ()) {
  const Bytes bytes = SpriteFileBytes();
  const auto format = *rc::gen::element(ExportFormat::Bmp, ExportFormat::Gif, ExportFormat::Gif87, ExportFormat::Png,
                                        ExportFormat::AnimatedGif, ExportFormat::AnimatedGif87);
  const ExportOptions options{.Coding = *rc::gen::element(Converter_Gif::GifCoding::Plain,
                                                          Converter_Gif::GifCoding::Compact)};
  TempDir source, streamed, loadedWhole;
  RC_ASSERT(WriteFileAtomically(source / "hero.spr", bytes, "test"));

  const auto loaded = Tool_Spr::LoadSprite(source / "hero.spr");
  const auto parsed = Tool_Spr::ParseSprite(bytes);
  RC_ASSERT(loaded.has_value() == parsed.has_value());
  const auto exported = ExportSpriteFile(source / "hero.spr", format, streamed / "hero.out", options);
  if (!loaded) {
    RC_ASSERT(!exported);
    RC_ASSERT(Words(exported.error()) == Words(loaded.error()));
    RC_ASSERT(TempDir::ListNames(streamed.Path()).empty());
    return;
  }
  RC_ASSERT(loaded->Document == parsed->Document);
  const Status expected = ExportAllFrames(loaded->Document, format, loadedWhole / "hero.out", options);
  RC_ASSERT(Words(exported ? std::nullopt : std::optional(exported.error())) ==
            Words(expected ? std::nullopt : std::optional(expected.error())));
  RC_ASSERT(Files(streamed.Path()) == Files(loadedWhole.Path()));
  if (!exported) return;
  RC_ASSERT(Words(exported->Warning) == Words(loaded->Warning));
  Names outputs;
  for (const auto& path : exported->Outputs) outputs.push_back(path.filename().string());
  std::sort(outputs.begin(), outputs.end());
  RC_ASSERT(outputs == TempDir::ListNames(streamed.Path()));
}
