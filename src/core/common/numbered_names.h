#pragma once
// File names for exports that write one file per frame: "hero.gif" gives
// "hero-01.gif", "hero-02.gif"…, numbers with at least two digits.

#include <filesystem>
#include <string>

namespace tessaloom {

// The name of frame `number` (1-based): `chosen` without its extension, if it has one,
// then "-", the number with at least two digits, and `extension` (with its dot).
std::filesystem::path NumberedFileName(const std::filesystem::path& chosen, int number,
                                       const std::string& extension);

}  // namespace tessaloom
