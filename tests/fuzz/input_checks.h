#pragma once
// The fuzz targets by name. Each name is also the folder of the target's seeds (in the
// build folder) and of its saved regression inputs (tests/data/regressions/<name>).

#include <algorithm>
#include <array>
#include <string_view>

#include "fuzz/check_types.h"
#include "fuzz/file_checks.h"
#include "fuzz/rle_check.h"
#include "fuzz/sprite_checks.h"

namespace tessaloom::fuzz {

struct InputCheck {
  std::string_view Name;
  Problem (*Run)(Input input);
};

inline constexpr std::array<InputCheck, 6> kInputChecks{{
    {"sprite", CheckSprite},
    {"rle", CheckRle},
    {"act", CheckAct},
    {"bmp", CheckBmp},
    {"palette", CheckPalette},
    {"roundtrip", CheckRoundTrip},
}};

constexpr const InputCheck* FindInputCheck(std::string_view name) {
  const auto found = std::find_if(kInputChecks.begin(), kInputChecks.end(),
                                  [name](const InputCheck& check) { return check.Name == name; });
  return found == kInputChecks.end() ? nullptr : &*found;
}

}  // namespace tessaloom::fuzz
