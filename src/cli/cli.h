#pragma once
// tessaloom-cli's entry point. Run parses the command line and carries out one
// command; its result is the process exit status: 0 on success, 1 for bad input,
// 2 for bad usage.

#include <iosfwd>

namespace tessaloom::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitBadInput = 1;
inline constexpr int kExitUsage = 2;

int Run(int argc, const char* const* argv, std::ostream& out, std::ostream& err);

}  // namespace tessaloom::cli
