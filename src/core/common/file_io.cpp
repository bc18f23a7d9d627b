#include "core/common/file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <sys/stat.h>
#include <fstream>
#include <unistd.h>

namespace tessaloom {
namespace {

const WriteOps kSystemOps{
    .makeTemp = [](char* pathTemplate) { return ::mkstemp(pathTemplate); },
    .write = [](int fd, const void* data, std::size_t size) { return ::write(fd, data, size); },
    .flush = [](int fd) { return ::fsync(fd); },
    .close = [](int fd) { return ::close(fd); },
    .rename = [](const char* from, const char* to) { return std::rename(from, to); },
};

const WriteOps* g_ops = &kSystemOps;

Error FileError(const std::filesystem::path& path, const std::string& what, int errorNumber,
                const std::string& title) {
  return Error{.title = title, .text = what + " \"" + DisplayName(path) + "\": " + std::strerror(errorNumber) + "."};
}

bool WriteAll(int fd, std::span<const std::uint8_t> bytes) {
  while (!bytes.empty()) {
    const ssize_t written = g_ops->write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      if (written == 0) errno = ENOSPC;
      return false;
    }
    bytes = bytes.subspan(static_cast<std::size_t>(written));
  }
  return true;
}

mode_t NewFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

std::string DisplayName(const std::filesystem::path& path) { return path.string(); }

Result<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& path,
                                                const std::string& title) {
  std::error_code code;
  if (std::filesystem::is_directory(path, code)) return FileError(path, "Cannot read", EISDIR, title);
  std::ifstream file(path, std::ios::binary);
  if (!file) return FileError(path, "Cannot open", errno ? errno : ENOENT, title);
  std::vector<std::uint8_t> bytes;
  file.seekg(0, std::ios::end);
  const std::streamoff size = file.tellg();
  if (size > 0) {
    bytes.resize(static_cast<std::size_t>(size));
    file.seekg(0);
    file.read(reinterpret_cast<char*>(bytes.data()), size);
  }
  if (size < 0 || !file) return FileError(path, "Cannot read", errno ? errno : EIO, title);
  return bytes;
}

Status WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                           const std::string& title) {
  const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : ".";
  std::string temp = (folder / ("." + path.filename().string() + ".XXXXXX")).string();
  const int fd = g_ops->makeTemp(temp.data());
  if (fd < 0) return FileError(path, "Cannot write", errno, title);

  const bool written = WriteAll(fd, bytes) && g_ops->flush(fd) == 0;
  int saved = errno;
  const bool closed = g_ops->close(fd) == 0;
  if (written && !closed) saved = errno;
  if (written && closed) {
    ::chmod(temp.c_str(), NewFileMode());  // mkstemp creates 0600; a saved file is an ordinary one
    if (g_ops->rename(temp.c_str(), path.c_str()) == 0) return {};
    saved = errno;
  }
  ::unlink(temp.c_str());
  return FileError(path, "Cannot write", saved, title);
}

void SetWriteOpsForTesting(const WriteOps* ops) { g_ops = ops ? ops : &kSystemOps; }

}  // namespace tessaloom
