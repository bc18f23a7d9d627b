#pragma once
// Measures the allocations made through operator new while a probe is alive. The
// test binary that links this replaces the global operator new, which is why the
// limits tests run in a binary of their own.

#include <cstddef>

namespace tessaloom {

struct AllocationStats {
  std::size_t Count = 0;    // allocations made
  std::size_t Largest = 0;  // bytes of the largest single allocation
};

class AllocationProbe {
 public:
  AllocationProbe();  // starts counting from zero
  ~AllocationProbe();
  AllocationProbe(const AllocationProbe&) = delete;
  AllocationProbe& operator=(const AllocationProbe&) = delete;

  AllocationStats Stats() const;
};

}  // namespace tessaloom
