#include "core/common/text_encoding.h"

#include <cerrno>
#include <iconv.h>

namespace tessaloom {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

// An iconv descriptor that closes itself.
class Converter {
 public:
  Converter() : m_descriptor(::iconv_open("UTF-8", "CP949")) {}
  ~Converter() {
    if (IsOpen()) ::iconv_close(m_descriptor);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool IsOpen() const { return m_descriptor != reinterpret_cast<iconv_t>(-1); }
  iconv_t Get() const { return m_descriptor; }

 private:
  iconv_t m_descriptor;
};

// Without the code page (a C library built without it) the ASCII still reads.
std::string AsciiOnly(std::string_view bytes) {
  std::string text;
  for (const char byte : bytes) {
    if (static_cast<unsigned char>(byte) < 0x80) {
      text += byte;
    } else {
      text += kReplacement;
    }
  }
  return text;
}

}  // namespace

std::string Cp949ToUtf8(std::string_view bytes) {
  Converter converter;
  if (!converter.IsOpen()) return AsciiOnly(bytes);
  std::string text;
  char buffer[256];
  char* in = const_cast<char*>(bytes.data());  // iconv's signature; it only reads
  std::size_t inLeft = bytes.size();
  while (inLeft > 0) {
    char* out = buffer;
    std::size_t outLeft = sizeof buffer;
    const std::size_t done = ::iconv(converter.Get(), &in, &inLeft, &out, &outLeft);
    const int error = errno;
    text.append(buffer, static_cast<std::size_t>(out - buffer));
    if (done != static_cast<std::size_t>(-1) || error == E2BIG) continue;
    // An invalid or cut-off sequence: one replacement for its first byte, then go on.
    text += kReplacement;
    ++in;
    --inLeft;
    ::iconv(converter.Get(), nullptr, nullptr, nullptr, nullptr);
  }
  return text;
}

}  // namespace tessaloom
