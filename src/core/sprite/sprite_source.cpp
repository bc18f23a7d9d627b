#include "core/sprite/sprite_source.h"

#include <cerrno>
#include <system_error>

#include "core/common/file_io.h"

namespace tessaloom::Tool_Spr {
namespace {

// Big enough that the small reads of a frame record's head rarely reach the system.
constexpr std::size_t kFileBufferBytes = 64 * 1024;

}  // namespace

FileSource::FileSource(std::filesystem::path path, std::string title, std::unique_ptr<std::FILE, Closer> file,
                       std::size_t size)
    : m_path(std::move(path)), m_title(std::move(title)), m_file(std::move(file)), m_size(size) {}

Result<std::unique_ptr<FileSource>> FileSource::Open(const std::filesystem::path& path, const std::string& title) {
  std::error_code code;
  if (std::filesystem::is_directory(path, code)) return FileError(path, "Cannot read", EISDIR, title);
  std::unique_ptr<std::FILE, Closer> file(std::fopen(path.c_str(), "rb"));
  if (!file) return FileError(path, "Cannot open", errno ? errno : ENOENT, title);
  std::setvbuf(file.get(), nullptr, _IOFBF, kFileBufferBytes);
  if (std::fseek(file.get(), 0, SEEK_END) != 0) return FileError(path, "Cannot read", errno ? errno : EIO, title);
  const long size = std::ftell(file.get());
  if (size < 0 || std::fseek(file.get(), 0, SEEK_SET) != 0) {
    return FileError(path, "Cannot read", errno ? errno : EIO, title);
  }
  return std::unique_ptr<FileSource>(
      new FileSource(path, title, std::move(file), static_cast<std::size_t>(size)));
}

Result<std::span<const std::uint8_t>> FileSource::Read(std::size_t offset, std::size_t count) {
  if (offset != m_position) {
    if (std::fseek(m_file.get(), static_cast<long>(offset), SEEK_SET) != 0) return ReadError(errno);
    m_position = offset;
  }
  if (m_buffer.size() < count) m_buffer.resize(count);
  const std::size_t read = std::fread(m_buffer.data(), 1, count, m_file.get());
  m_position += read;
  // The file was measured when it was opened: one that shrank since fails here.
  if (read != count) return ReadError(std::ferror(m_file.get()) ? errno : EIO);
  return std::span<const std::uint8_t>(m_buffer.data(), count);
}

Error FileSource::ReadError(int errorNumber) const {
  return FileError(m_path, "Cannot read", errorNumber != 0 ? errorNumber : EIO, m_title);
}

}  // namespace tessaloom::Tool_Spr
