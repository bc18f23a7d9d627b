#pragma once
// Whole-file reading, and writing that never leaves a half-written target: the bytes
// go to a temporary file in the target's folder, which is flushed and then renamed
// over the target. On any failure the temporary file is removed and the target is
// untouched. Several files written together (an export of every frame) are staged
// one by one and renamed into place only once all of them were written. Many sets
// written in a row (a batch conversion) can share one flush: see CommitBatch.

#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

#include "core/common/byte_sink.h"
#include "core/common/result.h"

namespace tessaloom {

class CommitBatch;

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
  StagedFiles();
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
  // Renames every staged file over its target. Refused after a failed Stage. Under a
  // CommitBatch the set is handed to the batch instead, which renames it later.
  Status Commit();

 private:
  friend class BatchedSets;

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
  CommitBatch* m_batch;  // the batch open on the creating thread, if any
};

// StagedFiles sets a batch has taken, waiting to be committed together: Commit
// flushes every file system their files are on at once, then renames each set as
// StagedFiles does, each still all or nothing. What is not committed is removed when
// they are destroyed. They may be committed on another thread than the one that
// staged them, while that thread stages more.
class BatchedSets {
 public:
  std::size_t Size() const { return m_sets.size(); }
  // One status per set, in the order the sets were handed; empty after. When the
  // flush fails every set fails with it and no target is touched.
  std::vector<Status> Commit();

 private:
  friend class StagedFiles;
  Status FlushFileSystems();

  std::deque<StagedFiles> m_sets;
};

// Many StagedFiles sets flushed with one call. While a batch is open on a thread,
// every StagedFiles made on that thread writes its temporary files without flushing
// them, and its Commit hands the set to the batch. Nothing reaches its target before
// the batch's sets are committed, not even a WriteFileAtomically's file; what is not
// committed is removed when the batch is destroyed, which the StagedFiles made under
// it must not outlive.
class CommitBatch {
 public:
  CommitBatch();  // opens the batch on the calling thread, until it is destroyed
  CommitBatch(const CommitBatch&) = delete;
  CommitBatch& operator=(const CommitBatch&) = delete;
  ~CommitBatch();

  // The sets handed so far and not yet taken.
  std::size_t Size() const { return m_sets.Size(); }
  // The sets handed so far, to commit now or elsewhere; the batch stays open, empty.
  BatchedSets Take() { return std::exchange(m_sets, {}); }
  std::vector<Status> Commit() { return Take().Commit(); }

 private:
  friend class StagedFiles;

  BatchedSets m_sets;
  CommitBatch* m_outer;  // the batch that was open before this one, put back after
};

// The system calls the atomic writer makes, replaceable so that tests can make a
// write fail part-way (a full disk, a failing flush or rename).
struct WriteOps {
  int (*makeTemp)(char* pathTemplate);
  ssize_t (*write)(int fd, const void* data, std::size_t size);
  int (*flush)(int fd);
  int (*close)(int fd);
  int (*rename)(const char* from, const char* to);
  int (*syncFileSystem)(int fd);  // CommitBatch's flush
};

// Installs `ops` for every later write; nullptr restores the real system calls.
void SetWriteOpsForTesting(const WriteOps* ops);

// A failed file operation, worded as every reader and writer words it:
// "WHAT "NAME": the system's reason."
Error FileError(const std::filesystem::path& path, const std::string& what, int errorNumber,
                const std::string& title);

// The file name as the user knows it, for messages.
std::string DisplayName(const std::filesystem::path& path);

}  // namespace tessaloom
