#pragma once
// Work shared by threads of one process: each thread takes the next item until none
// is left, so a slow item never holds up the others' share; and work handed off to a
// thread of its own, so that waiting for it holds up no one.

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

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

// Items handed from any thread to one thread of its own, which handles them one at a
// time in the order they came. Finish (or the destructor) handles what is left and
// waits for it.
template <class Item>
class HandOffThread {
 public:
  explicit HandOffThread(std::function<void(Item&)> handle)
      : m_handle(std::move(handle)), m_thread([this](std::stop_token stop) { Run(stop); }) {}
  ~HandOffThread() { Finish(); }
  HandOffThread(const HandOffThread&) = delete;
  HandOffThread& operator=(const HandOffThread&) = delete;

  void Hand(Item item) {
    {
      std::lock_guard lock(m_mutex);
      m_items.push_back(std::move(item));
    }
    m_ready.notify_one();
  }

  void Finish() {
    m_thread.request_stop();
    if (m_thread.joinable()) m_thread.join();
  }

 private:
  void Run(std::stop_token stop) {
    std::unique_lock lock(m_mutex);
    while (m_ready.wait(lock, stop, [this] { return !m_items.empty(); })) {
      Item item = std::move(m_items.front());
      m_items.pop_front();
      lock.unlock();
      m_handle(item);
      lock.lock();
    }
  }

  std::function<void(Item&)> m_handle;
  std::mutex m_mutex;
  std::condition_variable_any m_ready;
  std::deque<Item> m_items;
  std::jthread m_thread;  // last: it starts once the rest is ready
};

}  // namespace tessaloom::cli
