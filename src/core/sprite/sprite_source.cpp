#include "core/sprite/sprite_source.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "core/common/file_io.h"

namespace tessaloom::Tool_Spr {
FileSource::FileSource(std::filesystem::path path, std::string title, int fd, std::size_t size,
                       std::size_t windowBytes)
    : m_path(std::move(path)), m_title(std::move(title)), m_fd(fd), m_size(size), m_windowBytes(windowBytes) {}

FileSource::~FileSource() { ::close(m_fd); }

Result<std::unique_ptr<FileSource>> FileSource::Open(const std::filesystem::path& path, const std::string& title,
                                                     std::size_t windowBytes) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return FileError(path, "Cannot open", errno, title);
  struct stat info {};
  const bool readable = ::fstat(fd, &info) == 0 && !S_ISDIR(info.st_mode);
  if (!readable) {
    const int cause = S_ISDIR(info.st_mode) ? EISDIR : errno;
    ::close(fd);
    return FileError(path, "Cannot read", cause, title);
  }
  return std::unique_ptr<FileSource>(new FileSource(path, title, fd, static_cast<std::size_t>(info.st_size), windowBytes));
}

Result<std::span<const std::uint8_t>> FileSource::Read(std::size_t offset, std::size_t count) {
  const bool inWindow = offset >= m_windowStart && offset - m_windowStart + count <= m_windowSize;
  if (!inWindow) {
    if (Status loaded = LoadWindow(offset, count); !loaded) return loaded.error();
  }
  return std::span<const std::uint8_t>(m_window.get() + (offset - m_windowStart), count);
}

Status FileSource::LoadWindow(std::size_t offset, std::size_t count) {
  m_windowStart = offset;
  m_windowSize = std::max(count, std::min(m_windowBytes, m_size - offset));
  if (m_capacity < m_windowSize) {
    m_window = std::make_unique_for_overwrite<std::uint8_t[]>(m_windowSize);
    m_capacity = m_windowSize;
  }
  std::size_t filled = 0;
  while (filled < m_windowSize) {
    const ssize_t read =
        ::pread(m_fd, m_window.get() + filled, m_windowSize - filled, static_cast<off_t>(offset + filled));
    if (read < 0 && errno == EINTR) continue;
    // The file was measured when it was opened: one that shrank since fails here.
    if (read <= 0) {
      const int cause = read == 0 ? EIO : errno;
      m_windowSize = 0;
      return ReadError(cause);
    }
    filled += static_cast<std::size_t>(read);
  }
  return {};
}

Error FileSource::ReadError(int errorNumber) const {
  return FileError(m_path, "Cannot read", errorNumber != 0 ? errorNumber : EIO, m_title);
}

}  // namespace tessaloom::Tool_Spr
