#pragma once
// Where a file's bytes go when they are produced piece by piece (a file being
// written, a buffer): each call takes the next bytes in order, and a failure ends
// the production.

#include <cstdint>
#include <functional>
#include <span>

#include "core/common/result.h"

namespace tessaloom {

using ByteSink = std::function<Status(std::span<const std::uint8_t>)>;

}  // namespace tessaloom
