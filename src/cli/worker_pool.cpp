#include "cli/worker_pool.h"

#include <algorithm>
#include <thread>
#include <vector>

namespace tessaloom::cli {

std::optional<std::size_t> WorkQueue::Next() {
  const std::size_t next = m_next.fetch_add(1, std::memory_order_relaxed);
  if (next >= m_count) return std::nullopt;
  return next;
}

void RunOnThreads(unsigned threads, const std::function<void()>& work) {
  std::vector<std::jthread> running;
  for (unsigned i = 0; i < std::max(threads, 1u); ++i) running.emplace_back(work);
}

}  // namespace tessaloom::cli
