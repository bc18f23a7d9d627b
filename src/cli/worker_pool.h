#pragma once
// Work shared by threads of one process: each thread takes the next item until none
// is left, so a slow item never holds up the others' share.

#include <atomic>
#include <cstddef>
#include <functional>
#include <optional>

namespace tessaloom::cli {

// Hands out the numbers 0 … count-1, each once, to any number of threads.
class WorkQueue {
 public:
  explicit WorkQueue(std::size_t count) : m_count(count) {}
  std::optional<std::size_t> Next();

 private:
  std::atomic<std::size_t> m_next{0};
  const std::size_t m_count;
};

// Runs `work` on `threads` threads at once (at least one) and returns when all ended.
void RunOnThreads(unsigned threads, const std::function<void()>& work);

}  // namespace tessaloom::cli
