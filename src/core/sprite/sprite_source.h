#pragma once
// Where the sprite reader takes a file's bytes from: a buffer already in memory, or a
// file read a piece at a time, so that a big sprite is never held whole beside its
// decoded frames. The reader checks every range against Size() before it asks for it.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string>

#include "core/common/result.h"

namespace tessaloom::Tool_Spr {

class SpriteSource {
 public:
  virtual ~SpriteSource() = default;

  virtual std::size_t Size() const = 0;
  // The `count` bytes at `offset`, which lie within Size(); valid until the next Read.
  virtual Result<std::span<const std::uint8_t>> Read(std::size_t offset, std::size_t count) = 0;
};

class BufferSource final : public SpriteSource {
 public:
  explicit BufferSource(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}

  std::size_t Size() const override { return m_bytes.size(); }
  Result<std::span<const std::uint8_t>> Read(std::size_t offset, std::size_t count) override {
    return m_bytes.subspan(offset, count);
  }

 private:
  std::span<const std::uint8_t> m_bytes;
};

// Reads go through one window of the file, reused: a read outside it loads the window
// again from that offset, as big as the piece asked for (a frame record) or a fixed
// size, whichever is bigger, so a small sprite is read with a call or two and a big
// one is never held whole.
class FileSource final : public SpriteSource {
 public:
  // Enough for a typical sprite whole, and for the heads of many frame records at once.
  static constexpr std::size_t kWindowBytes = 256 * 1024;

  // Errors name the file, with `title`.
  static Result<std::unique_ptr<FileSource>> Open(const std::filesystem::path& path, const std::string& title,
                                                  std::size_t windowBytes = kWindowBytes);
  ~FileSource() override;
  FileSource(const FileSource&) = delete;
  FileSource& operator=(const FileSource&) = delete;

  std::size_t Size() const override { return m_size; }
  Result<std::span<const std::uint8_t>> Read(std::size_t offset, std::size_t count) override;

 private:
  FileSource(std::filesystem::path path, std::string title, int fd, std::size_t size, std::size_t windowBytes);
  Status LoadWindow(std::size_t offset, std::size_t count);
  Error ReadError(int errorNumber) const;

  std::filesystem::path m_path;
  std::string m_title;
  int m_fd;
  std::size_t m_size;
  std::size_t m_windowBytes;
  std::size_t m_windowStart = 0;
  std::size_t m_windowSize = 0;
  std::unique_ptr<std::uint8_t[]> m_window;  // the file's bytes from m_windowStart on; never cleared first
  std::size_t m_capacity = 0;
};

}  // namespace tessaloom::Tool_Spr
