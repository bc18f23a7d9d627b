#include "allocation_probe.h"

#include <cstdlib>
#include <new>

namespace tessaloom {
namespace {

bool g_counting = false;
AllocationStats g_stats;

}  // namespace

AllocationProbe::AllocationProbe() {
  g_stats = {};
  g_counting = true;
}

AllocationProbe::~AllocationProbe() { g_counting = false; }

AllocationStats AllocationProbe::Stats() const { return g_stats; }

}  // namespace tessaloom

// Every other form of operator new of the standard library ends up here.
void* operator new(std::size_t size) {
  if (tessaloom::g_counting) {
    ++tessaloom::g_stats.Count;
    if (size > tessaloom::g_stats.Largest) tessaloom::g_stats.Largest = size;
  }
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}

void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
