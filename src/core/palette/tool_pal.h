#pragma once
// Palette files (.pal) in the two forms the dialogs offer. A file is written in the
// form of the chosen filter entry and read in the form its content shows: a RIFF
// file starts with "RIFF", which a raw file, whose fourth byte is always 0, never does.
//
//   raw    entries 0..255, 4 bytes each: red, green, blue, 0          1024 bytes
//   RIFF   "RIFF", u32 1040, "PAL ", "data", u32 1028,
//          u16 0x0300 (version), u16 256 (entries)                    24 bytes
//          then the entries as in the raw form                        1048 bytes
//
// In memory an entry is blue, green, red, 0; SwapPaletteOrder converts both ways.
// Reading takes whatever length the file has: the raw form all of it, the RIFF
// form everything after the 24 header bytes, which are not examined.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "core/common/result.h"

namespace tessaloom::Tool_Pal {

// The 1-based filter index of the palette dialogs.
enum class PalForm { Raw = 1, Riff = 2 };

inline constexpr const char* kPaletteErrorTitle = "Palette error";
inline constexpr const char* kRefusedTitle = "Palettte failed to load";
inline constexpr const char* kRefusedText = "This palette cannot be loaded";
inline constexpr std::size_t kRiffHeaderSize = 24;
// A full palette file is about 1 KiB; anything far larger is not a palette, and
// refusing it keeps a wrong pick from loading a huge file into the sprite.
inline constexpr std::uintmax_t kMaxPaletteFileSize = 1024 * 1024;

// The file image of a palette held in memory order. The raw form holds exactly the
// palette's entries. The RIFF form always holds 256 entries, so that its fixed
// header stays true: a shorter palette is completed with black, a longer one cut.
std::vector<std::uint8_t> SerializePalette(std::span<const std::uint8_t> palette, PalForm form);

// The palette, in memory order, that a file image holds. A RIFF image shorter than
// its header gives an empty palette.
std::vector<std::uint8_t> ParsePalette(std::span<const std::uint8_t> file, PalForm form);

// Writes the palette file atomically; the error names the file.
Status ExportPalette(const std::filesystem::path& path, std::span<const std::uint8_t> palette, PalForm form);

// The form of a file image: RIFF when it starts with "RIFF", raw otherwise.
PalForm FormOf(std::span<const std::uint8_t> file);

// Reads the palette a file holds, in the form its content shows (FormOf), or in the
// given form; refuses an unreadable file and one larger than
// kMaxPaletteFileSize.
Result<std::vector<std::uint8_t>> ImportPalette(const std::filesystem::path& path);
Result<std::vector<std::uint8_t>> ImportPalette(const std::filesystem::path& path, PalForm form);

// Whether an imported palette may replace the current one: an empty palette is
// refused over a non-empty one and accepted over an empty one.
Status CheckReplacement(std::span<const std::uint8_t> current, std::span<const std::uint8_t> imported);

}  // namespace tessaloom::Tool_Pal
