#pragma once
// Where the sprite reader takes a file's bytes from: a buffer already in memory, or a
// file read a piece at a time, so that a big sprite is never held whole beside its
// decoded frames. The reader checks every range against Size() before it asks for it.

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <span>
#include <string>
#include <vector>

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

// Reads go through one buffer, reused: it grows to the largest piece asked for (a
// frame record), never to the file.
class FileSource final : public SpriteSource {
 public:
  // Errors name the file, with `title`.
  static Result<std::unique_ptr<FileSource>> Open(const std::filesystem::path& path, const std::string& title);

  std::size_t Size() const override { return m_size; }
  Result<std::span<const std::uint8_t>> Read(std::size_t offset, std::size_t count) override;

 private:
  struct Closer {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };

  FileSource(std::filesystem::path path, std::string title, std::unique_ptr<std::FILE, Closer> file, std::size_t size);
  Error ReadError(int errorNumber) const;

  std::filesystem::path m_path;
  std::string m_title;
  std::unique_ptr<std::FILE, Closer> m_file;
  std::size_t m_size = 0;
  std::size_t m_position = 0;
  std::vector<std::uint8_t> m_buffer;
};

}  // namespace tessaloom::Tool_Spr
