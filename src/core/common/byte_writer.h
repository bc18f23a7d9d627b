#pragma once
// Little-endian assembly of a file image in memory, field after field.

#include <cstdint>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace tessaloom {

class ByteWriter {
 public:
  void U8(std::uint8_t value) { m_bytes.push_back(value); }
  void U16(std::uint16_t value) { Little(value, 2); }
  void U32(std::uint32_t value) { Little(value, 4); }
  void I16(std::int16_t value) { U16(static_cast<std::uint16_t>(value)); }
  void I32(std::int32_t value) { U32(static_cast<std::uint32_t>(value)); }
  void Bytes(std::span<const std::uint8_t> bytes) { m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end()); }
  void Text(std::string_view text) { m_bytes.insert(m_bytes.end(), text.begin(), text.end()); }
  void Reserve(std::size_t size) { m_bytes.reserve(size); }

  std::size_t Size() const { return m_bytes.size(); }
  const std::vector<std::uint8_t>& View() const { return m_bytes; }
  std::vector<std::uint8_t> Take() { return std::move(m_bytes); }

 private:
  void Little(std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) m_bytes.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
  }
  std::vector<std::uint8_t> m_bytes;
};

}  // namespace tessaloom
