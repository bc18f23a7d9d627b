#pragma once
// The seed corpus of each fuzz target, by target name (see input_checks.h).

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "core/common/result.h"

namespace tessaloom::fuzz {

// Seed file name -> contents.
using SeedSet = std::map<std::string, std::vector<std::uint8_t>>;

SeedSet SpriteSeeds(const std::vector<std::uint8_t>& demoSprite);
SeedSet RleSeeds(const std::vector<std::uint8_t>& demoSprite);
SeedSet ActSeeds(const std::vector<std::uint8_t>& demoActions);
SeedSet BmpSeeds(const std::vector<std::uint8_t>& demoSprite);
SeedSet PaletteSeeds(const std::vector<std::uint8_t>& demoSprite);

// Every target's seeds; reads hero.spr and hero.act from `demoFolder`.
Result<std::map<std::string, SeedSet>> AllSeedSets(const std::filesystem::path& demoFolder);

}  // namespace tessaloom::fuzz
