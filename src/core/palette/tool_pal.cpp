#include "core/palette/tool_pal.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "core/common/byte_writer.h"
#include "core/common/file_io.h"
#include "core/sprite/palette.h"

namespace tessaloom::Tool_Pal {
namespace {

constexpr std::uint32_t kRiffDataSize = 4 + kPaletteBytes;                     // version, count, entries
constexpr std::uint32_t kRiffChunkSize = kRiffHeaderSize - 8 + kPaletteBytes;  // file size minus 8
constexpr std::uint16_t kRiffPaletteVersion = 0x0300;

void WriteRiffHeader(ByteWriter& writer) {
  writer.Text("RIFF");
  writer.U32(kRiffChunkSize);
  writer.Text("PAL ");
  writer.Text("data");
  writer.U32(kRiffDataSize);
  writer.U16(kRiffPaletteVersion);
  writer.U16(kPaletteEntries);
}

Error TooLarge(const std::filesystem::path& path, std::uintmax_t size) {
  return Error{.title = kPaletteErrorTitle,
               .text = "The file \"" + DisplayName(path) + "\" is too large to be a palette.",
               .detail = "\"" + DisplayName(path) + "\" holds " + std::to_string(size) +
                         " bytes; a palette file may hold at most " + std::to_string(kMaxPaletteFileSize) + "."};
}

Result<std::vector<std::uint8_t>> ReadPaletteFile(const std::filesystem::path& path) {
  // Checked before reading so that a huge file is never loaded, and after, in case
  // the file grew in between.
  std::error_code code;
  const std::uintmax_t size = std::filesystem::file_size(path, code);
  if (!code && size > kMaxPaletteFileSize) return TooLarge(path, size);
  auto bytes = ReadWholeFile(path, kPaletteErrorTitle);
  if (!bytes) return bytes.error();
  if (bytes->size() > kMaxPaletteFileSize) return TooLarge(path, bytes->size());
  return bytes;
}

}  // namespace

std::vector<std::uint8_t> SerializePalette(std::span<const std::uint8_t> palette, PalForm form) {
  if (form != PalForm::Riff) return Tool_Spr::SwapPaletteOrder(palette);
  ByteWriter writer;
  writer.Reserve(kRiffHeaderSize + kPaletteBytes);
  WriteRiffHeader(writer);
  writer.Bytes(Tool_Spr::SwapPaletteOrder(Tool_Spr::FullPalette(palette)));
  return writer.Take();
}

std::vector<std::uint8_t> ParsePalette(std::span<const std::uint8_t> file, PalForm form) {
  if (form != PalForm::Riff) return Tool_Spr::SwapPaletteOrder(file);
  if (file.size() < kRiffHeaderSize) return {};
  return Tool_Spr::SwapPaletteOrder(file.subspan(kRiffHeaderSize));
}

Status ExportPalette(const std::filesystem::path& path, std::span<const std::uint8_t> palette, PalForm form) {
  return WriteFileAtomically(path, SerializePalette(palette, form), kPaletteErrorTitle);
}

PalForm FormOf(std::span<const std::uint8_t> file) {
  constexpr std::string_view kRiff = "RIFF";
  const bool riff = file.size() >= kRiff.size() && std::equal(kRiff.begin(), kRiff.end(), file.begin());
  return riff ? PalForm::Riff : PalForm::Raw;
}

Result<std::vector<std::uint8_t>> ImportPalette(const std::filesystem::path& path) {
  auto bytes = ReadPaletteFile(path);
  if (!bytes) return bytes.error();
  return ParsePalette(*bytes, FormOf(*bytes));
}

Result<std::vector<std::uint8_t>> ImportPalette(const std::filesystem::path& path, PalForm form) {
  auto bytes = ReadPaletteFile(path);
  if (!bytes) return bytes.error();
  return ParsePalette(*bytes, form);
}

Status CheckReplacement(std::span<const std::uint8_t> current, std::span<const std::uint8_t> imported) {
  if (!imported.empty() || current.empty()) return {};
  return Error{.title = kRefusedTitle, .text = kRefusedText, .detail = "The file holds no palette entries."};
}

}  // namespace tessaloom::Tool_Pal
