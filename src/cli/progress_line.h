#pragma once
// What a batch command tells while it runs, from any of its threads: message lines,
// and on a terminal one progress line ("37/1000 files, 812 files/s, 1.1 s left")
// redrawn in place at most ten times a second, kept below the messages.

#include <chrono>
#include <cstddef>
#include <iosfwd>
#include <mutex>
#include <string>

namespace tessaloom::cli {

class ProgressLine {
 public:
  // `shown`: whether the progress line is drawn at all (a terminal, not silenced).
  ProgressLine(std::ostream& err, std::size_t total, bool shown);

  // Prints one line on its own, above the progress line.
  void Message(const std::string& line);
  // One more file done; redraws the progress line when it is due.
  void Advance();
  // The seconds since the line was made.
  double Seconds() const;
  // Clears the progress line for good.
  void Finish();

 private:
  void Clear();  // with m_mutex held
  void Draw();   // with m_mutex held

  using Clock = std::chrono::steady_clock;
  std::ostream& m_err;
  const std::size_t m_total;
  const bool m_shown;
  const Clock::time_point m_start = Clock::now();
  std::mutex m_mutex;
  std::size_t m_done = 0;
  std::size_t m_drawnWidth = 0;  // of the progress line on screen, 0 when none is
  Clock::time_point m_lastDraw{};
};

// One decimal: "1.1".
std::string FormatSeconds(double seconds);

}  // namespace tessaloom::cli
