#pragma once
// Little-endian reading from a byte buffer with a sticky failure flag: a read past
// the end yields zeros and marks the reader failed, so a parser can read a whole
// section and check Ok() once at its boundary. Nothing is ever read out of bounds.

#include <cstddef>
#include <cstdint>
#include <span>

namespace tessaloom {

class ByteReader {
 public:
  explicit ByteReader(std::span<const std::uint8_t> data, std::size_t offset = 0)
      : m_data(data), m_offset(offset), m_ok(offset <= data.size()) {}

  bool Ok() const { return m_ok; }
  std::size_t Offset() const { return m_offset; }
  std::size_t Remaining() const { return m_ok ? m_data.size() - m_offset : 0; }
  bool Has(std::size_t count) const { return Remaining() >= count; }

  std::uint8_t U8() { return static_cast<std::uint8_t>(Little(1)); }
  std::uint16_t U16() { return static_cast<std::uint16_t>(Little(2)); }
  std::uint32_t U32() { return static_cast<std::uint32_t>(Little(4)); }
  std::int16_t I16() { return static_cast<std::int16_t>(U16()); }
  std::int32_t I32() { return static_cast<std::int32_t>(U32()); }

  // The next `count` bytes, or an empty span (and failure) when fewer remain.
  std::span<const std::uint8_t> Bytes(std::size_t count) {
    if (!Has(count)) return Fail();
    auto bytes = m_data.subspan(m_offset, count);
    m_offset += count;
    return bytes;
  }
  void Skip(std::size_t count) { (void)Bytes(count); }

 private:
  std::uint64_t Little(std::size_t size) {
    auto bytes = Bytes(size);
    std::uint64_t value = 0;
    for (std::size_t i = bytes.size(); i-- > 0;) value = (value << 8) | bytes[i];
    return value;
  }
  std::span<const std::uint8_t> Fail() {
    m_ok = false;
    m_offset = m_data.size();
    return {};
  }

  std::span<const std::uint8_t> m_data;
  std::size_t m_offset;
  bool m_ok;
};

}  // namespace tessaloom
