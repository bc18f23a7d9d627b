#include "cli/progress_line.h"

#include <cstdio>
#include <ostream>

namespace tessaloom::cli {
namespace {

constexpr auto kRedrawInterval = std::chrono::milliseconds(100);

}  // namespace

std::string FormatSeconds(double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", seconds);
  return text;
}

ProgressLine::ProgressLine(std::ostream& err, std::size_t total, bool shown)
    : m_err(err), m_total(total), m_shown(shown) {}

void ProgressLine::Message(const std::string& line) {
  const std::lock_guard lock(m_mutex);
  Clear();
  m_err << line << '\n';
  m_err.flush();
}

void ProgressLine::Advance() {
  const std::lock_guard lock(m_mutex);
  ++m_done;
  if (m_shown && Clock::now() - m_lastDraw >= kRedrawInterval) Draw();
}

double ProgressLine::Seconds() const { return std::chrono::duration<double>(Clock::now() - m_start).count(); }

void ProgressLine::Finish() {
  const std::lock_guard lock(m_mutex);
  Clear();
}

void ProgressLine::Clear() {
  if (m_drawnWidth == 0) return;
  m_err << '\r' << std::string(m_drawnWidth, ' ') << '\r';
  m_drawnWidth = 0;
}

void ProgressLine::Draw() {
  m_lastDraw = Clock::now();
  const double seconds = Seconds();
  const double rate = seconds > 0 ? static_cast<double>(m_done) / seconds : 0;
  std::string line = std::to_string(m_done) + "/" + std::to_string(m_total) + " files";
  if (rate > 0) {
    line += ", " + std::to_string(static_cast<long>(rate + 0.5)) + " files/s, " +
            FormatSeconds(static_cast<double>(m_total - m_done) / rate) + " s left";
  }
  // Spaces cover whatever a longer line before left on screen.
  const std::size_t width = line.size();
  if (width < m_drawnWidth) line += std::string(m_drawnWidth - width, ' ');
  m_err << '\r' << line;
  m_err.flush();
  m_drawnWidth = width;
}

}  // namespace tessaloom::cli
