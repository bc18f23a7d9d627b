#include "core/common/file_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <set>
#include <sys/stat.h>
#include <fstream>
#include <unistd.h>
#include <utility>

namespace tessaloom {
namespace {

const WriteOps kSystemOps{
    .makeTemp = [](char* pathTemplate) { return ::mkstemp(pathTemplate); },
    .write = [](int fd, const void* data, std::size_t size) { return ::write(fd, data, size); },
    .flush = [](int fd) { return ::fsync(fd); },
    .close = [](int fd) { return ::close(fd); },
    .rename = [](const char* from, const char* to) { return std::rename(from, to); },
    .syncFileSystem = [](int fd) { return ::syncfs(fd); },
};

const WriteOps* g_ops = &kSystemOps;

// Every StagedFiles made on a thread while its batch is open joins that batch.
thread_local CommitBatch* t_batch = nullptr;


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

// Read once: umask(2) can only be read by setting it, which would race between
// threads staging files at once.
mode_t NewFileMode() {
  static const mode_t mode = [] {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
  }();
  return mode;
}

// Gathers a producer's small pieces into writes of a useful size.
class BufferedFile {
 public:
  explicit BufferedFile(int fd) : m_fd(fd) { m_pending.reserve(kBytes); }

  bool Write(std::span<const std::uint8_t> bytes) {
    if (m_pending.size() + bytes.size() > kBytes && !Flush()) return false;
    if (bytes.size() >= kBytes) return WriteAll(m_fd, bytes);
    m_pending.insert(m_pending.end(), bytes.begin(), bytes.end());
    return true;
  }

  bool Flush() {
    const bool written = WriteAll(m_fd, m_pending);
    m_pending.clear();
    return written;
  }

 private:
  static constexpr std::size_t kBytes = 256 * 1024;
  int m_fd;
  std::vector<std::uint8_t> m_pending;
};

}  // namespace

std::string DisplayName(const std::filesystem::path& path) { return path.string(); }

Error FileError(const std::filesystem::path& path, const std::string& what, int errorNumber,
                const std::string& title) {
  return Error{.title = title, .text = what + " \"" + DisplayName(path) + "\": " + std::strerror(errorNumber) + "."};
}

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

StagedFiles::StagedFiles() : m_batch(t_batch) {}

StagedFiles::~StagedFiles() { RemoveTemporaries(); }

Status StagedFiles::Stage(const std::filesystem::path& target, std::span<const std::uint8_t> bytes,
                          const std::string& title) {
  return StageProduced(target, [bytes](const ByteSink& sink) { return sink(bytes); }, title);
}

Status StagedFiles::StageProduced(const std::filesystem::path& target, const Producer& produce,
                                  const std::string& title) {
  if (m_failure) return *m_failure;
  const std::filesystem::path folder = target.has_parent_path() ? target.parent_path() : ".";
  std::string temp = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
  const int fd = g_ops->makeTemp(temp.data());
  if (fd < 0) return Fail(FileError(target, "Cannot write", errno, title));
  BufferedFile file(fd);
  const ByteSink sink = [&](std::span<const std::uint8_t> bytes) -> Status {
    if (file.Write(bytes)) return {};
    return FileError(target, "Cannot write", errno, title);
  };
  Status produced = produce(sink);
  if (produced && !file.Flush()) produced = FileError(target, "Cannot write", errno, title);
  if (produced && !m_batch && g_ops->flush(fd) != 0) produced = FileError(target, "Cannot write", errno, title);
  if (g_ops->close(fd) != 0 && produced) produced = FileError(target, "Cannot write", errno, title);
  if (!produced) {
    ::unlink(temp.c_str());
    return Fail(produced.error());
  }
  ::chmod(temp.c_str(), NewFileMode());  // mkstemp creates 0600; a saved file is an ordinary one
  m_files.push_back(StagedFile{.target = target, .temp = std::move(temp), .backup = {}, .title = title,
                               .isNew = false});
  return {};
}

Status StagedFiles::Commit() {
  if (m_failure) return *m_failure;
  if (m_batch) {
    StagedFiles& handed = m_batch->m_sets.m_sets.emplace_back();
    handed.m_batch = nullptr;
    handed.m_files = std::exchange(m_files, {});
    return {};
  }
  // Every target but the last keeps a second name for its old content, so that a
  // later rename failing can put it back; the last rename failing replaces nothing.
  for (std::size_t i = 0; i + 1 < m_files.size(); ++i) {
    StagedFile& file = m_files[i];
    const std::string backup = file.temp + ".old";
    if (::link(file.target.c_str(), backup.c_str()) == 0) {
      file.backup = backup;
    } else {
      file.isNew = errno == ENOENT;
    }
  }
  for (std::size_t i = 0; i < m_files.size(); ++i) {
    StagedFile& file = m_files[i];
    if (g_ops->rename(file.temp.c_str(), file.target.c_str()) != 0) {
      Error error = FileError(file.target, "Cannot write", errno, file.title);
      RollBack(i);
      return Fail(std::move(error));
    }
    file.temp.clear();
  }
  for (const StagedFile& file : m_files) {
    if (!file.backup.empty()) ::unlink(file.backup.c_str());
  }
  m_files.clear();
  return {};
}

// Undoes the first `renamed` renames: each target gets its old content back, or is
// removed when it did not exist before. A target whose old content could not be
// linked (a file system without hard links) keeps its new, whole content. Plain
// system calls, not the write seam: a test that makes writing fail must still see
// the old files restored.
void StagedFiles::RollBack(std::size_t renamed) {
  for (std::size_t i = 0; i < m_files.size(); ++i) {
    const StagedFile& file = m_files[i];
    if (i < renamed && file.isNew) {
      ::unlink(file.target.c_str());
    } else if (i < renamed && !file.backup.empty()) {
      std::rename(file.backup.c_str(), file.target.c_str());
    } else if (!file.backup.empty()) {
      ::unlink(file.backup.c_str());
    }
  }
  RemoveTemporaries();
  m_files.clear();
}

Status StagedFiles::Fail(Error error) {
  m_failure = std::move(error);
  return *m_failure;
}

void StagedFiles::RemoveTemporaries() {
  for (const StagedFile& file : m_files) {
    if (!file.temp.empty()) ::unlink(file.temp.c_str());
  }
}

Status WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                           const std::string& title) {
  StagedFiles files;
  if (Status staged = files.Stage(path, bytes, title); !staged) return staged;
  return files.Commit();
}

// Why one flush of the file system: a file must be on the disk before its new name
// is, or a crash between the two can leave an empty or truncated file under the
// name of a good one. StagedFiles alone pays one fsync per file for that, and each
// fsync waits for that file's blocks and for a journal commit of its own: for a
// thousand animated GIFs of a typical sprite, about 7 ms each here, far more than
// the conversion. syncfs(2) writes every dirty file of the file system in one go
// with one journal commit (16 calls took 0.3 s for those thousand files), so a
// batch stages its temporaries unflushed, flushes once, and only then renames. The
// renames are not flushed, as with StagedFiles: a crash after them may lose a
// rename, which leaves the old file and a stray temporary, never a truncated file.
// syncfs also writes out other programs' dirty files on that file system; a batch
// pays that once instead of every file.
CommitBatch::CommitBatch() : m_outer(std::exchange(t_batch, this)) {}

CommitBatch::~CommitBatch() { t_batch = m_outer; }

std::vector<Status> BatchedSets::Commit() {
  const Status flushed = FlushFileSystems();
  std::vector<Status> statuses;
  for (StagedFiles& set : m_sets) statuses.push_back(flushed ? set.Commit() : flushed);
  m_sets.clear();
  return statuses;
}

// One syncfs per file system the temporaries are on, through a folder of each.
Status BatchedSets::FlushFileSystems() {
  std::map<std::filesystem::path, std::string> folders;  // each folder and a title for its failure
  for (const StagedFiles& set : m_sets) {
    for (const StagedFiles::StagedFile& file : set.m_files) {
      folders.emplace(std::filesystem::path(file.temp).parent_path(), file.title);
    }
  }
  std::set<dev_t> flushed;
  for (const auto& [folder, title] : folders) {
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0) return FileError(folder, "Cannot write", errno, title);
    if (flushed.contains(info.st_dev)) continue;
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const int synced = fd < 0 ? -1 : g_ops->syncFileSystem(fd);
    const int cause = errno;
    if (fd >= 0) ::close(fd);
    if (synced != 0) return FileError(folder, "Cannot write", cause, title);
    flushed.insert(info.st_dev);
  }
  return {};
}

void SetWriteOpsForTesting(const WriteOps* ops) { g_ops = ops ? ops : &kSystemOps; }

}  // namespace tessaloom
