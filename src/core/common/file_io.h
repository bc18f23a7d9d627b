#pragma once
// Whole-file reading, and writing that never leaves a half-written target: the bytes
// go to a temporary file in the target's folder, which is flushed and then renamed
// over the target. On any failure the temporary file is removed and the target is
// untouched.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <sys/types.h>
#include <vector>

#include "core/common/result.h"

namespace tessaloom {

// Reads the whole file. The error names the file and the cause; its title is `title`.
Result<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& path,
                                                const std::string& title);

// Writes `bytes` as the new content of `path`, atomically. The error names the file
// and the cause; its title is `title`.
Status WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes,
                           const std::string& title);

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
