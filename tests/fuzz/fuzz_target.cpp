// One libFuzzer target; the build names the check it runs (input_checks.h) in
// TESSALOOM_FUZZ_TARGET. A broken promise aborts with its description, so libFuzzer
// keeps the input.

#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "fuzz/input_checks.h"

namespace {

constexpr std::string_view kTarget = TESSALOOM_FUZZ_TARGET;
constexpr const tessaloom::fuzz::InputCheck* kCheck = tessaloom::fuzz::FindInputCheck(kTarget);
static_assert(kCheck != nullptr, "TESSALOOM_FUZZ_TARGET names no check of input_checks.h");

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const tessaloom::fuzz::Problem problem = kCheck->Run({data, size});
  if (problem) {
    std::fprintf(stderr, "%s: %s\n", kTarget.data(), problem->c_str());
    std::abort();
  }
  return 0;
}
