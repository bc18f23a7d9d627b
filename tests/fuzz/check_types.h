#pragma once
// What a fuzz check returns, and the check every refusal must pass.
//
// A check looks at one input and returns nothing when the code under test handled it
// soundly (loaded it, or refused it with a proper error), otherwise a sentence saying
// which promise was broken. Crashes, reads out of bounds, undefined behaviour and
// leaks are left to the sanitizers, hangs and huge allocations to libFuzzer's limits.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/common/result.h"

namespace tessaloom::fuzz {

using Problem = std::optional<std::string>;
using Input = std::span<const std::uint8_t>;

// A refusal carries the title the user will see and words to read.
inline Problem CheckRefusal(const Error& error, std::string_view title) {
  if (error.title != title) return "an error titled \"" + error.title + "\" instead of \"" + std::string(title) + "\"";
  if (error.text.empty()) return std::string("an error without text");
  return std::nullopt;
}

}  // namespace tessaloom::fuzz
