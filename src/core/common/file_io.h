#pragma once
// Whole-file reading, and writing that never leaves a half-written target: the bytes
// go to a temporary file in the target's folder, which is flushed and then renamed
// over the target. On any failure the temporary file is removed and the target is
// untouched. Several files written together (an export of every frame) are staged
// one by one and renamed into place only once all of them were written.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <sys/types.h>
#include <vector>

#include "core/common/byte_sink.h"
#include "core/common/result.h"

namespace tessaloom {

// Reads the whole file. The error names the file and the cause; its title is `title`.
Result<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& path,
                                                const std::string& title);

// Writes `bytes` as the new content of `path`, atomically. The error names the file
// and the cause; its title is `title`.
Status WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                           const std::string& title);

// Files written together, all or nothing. Stage writes each file's bytes to a
// temporary file beside its target; Commit renames them into place only when every
// one was staged, and puts back what was there if a rename fails part-way. Whatever
// is not committed is removed when the set is destroyed; a target the user already
// had is never deleted or half-replaced.
class StagedFiles {
 public:
  StagedFiles() = default;
  StagedFiles(const StagedFiles&) = delete;
  StagedFiles& operator=(const StagedFiles&) = delete;
  ~StagedFiles();

  // Writes `bytes` to a flushed temporary file in the folder of `target`; `target`
  // stays untouched. After a failure every later Stage and the Commit fail with it.
  Status Stage(const std::filesystem::path& target, std::span<const std::uint8_t> bytes,
               const std::string& title);
  // As Stage, for content too big to hold: `produce` hands the bytes to the sink it
  // is given, piece by piece. A failure of the sink or of `produce` fails the stage.
  using Producer = std::function<Status(const ByteSink&)>;
  Status StageProduced(const std::filesystem::path& target, const Producer& produce, const std::string& title);
  // Renames every staged file over its target. Refused after a failed Stage.
  Status Commit();

 private:
  struct StagedFile {
    std::filesystem::path target;
    std::string temp;
    std::string backup;  // a second name of the target's previous content, when it had one
    std::string title;
    bool isNew = false;  // the target did not exist before the commit
  };

  Status Fail(Error error);  // remembers the failure for every later call
  void RollBack(std::size_t renamed);
  void RemoveTemporaries();

  std::vector<StagedFile> m_files;
  std::optional<Error> m_failure;
};

// The system calls the atomic writer makes, replaceable so that tests can make a
// write fail part-way (a full disk, a failing flush or rename).
struct WriteOps {
  int (*makeTemp)(char* pathTemplate);
  ssize_t (*write)(int fd, const void* data, std::size_t size);
  int (*flush)(int fd);
  int (*close)(int fd);
  int (*rename)(const char* from, const char* to);
};

// Installs `ops` for every later write; nullptr restores the real system calls.
void SetWriteOpsForTesting(const WriteOps* ops);

// The file name as the user knows it, for messages.
std::string DisplayName(const std::filesystem::path& path);

}  // namespace tessaloom
