// Names from the game's files read as CP949 and shown as UTF-8.

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <string>
#include <string_view>

#include "core/common/text_encoding.h"

using namespace tessaloom;

namespace {

// Well-formed UTF-8: each lead byte followed by as many continuation bytes as it
// announces; no overlong two-byte form, no lead byte past F4, no surrogate.
bool IsUtf8(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const std::size_t extra = lead < 0x80 ? 0 : lead >= 0xC2 && lead < 0xE0 ? 1 : lead >= 0xE0 && lead < 0xF0 ? 2
                              : lead >= 0xF0 && lead < 0xF5 ? 3 : 4;
    if (extra == 4 || i + extra >= text.size()) return false;
    for (std::size_t k = 1; k <= extra; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    if (lead == 0xED && static_cast<unsigned char>(text[i + 1]) >= 0xA0) return false;
    i += extra + 1;
  }
  return true;
}

}  // namespace

TEST(Cp949ToUtf8, DecodesHangulAndMarksWhatDoesNotDecode) {
  EXPECT_EQ(Cp949ToUtf8("\xB0\xCB.wav"), "\uAC80.wav");  // a Hangul syllable, two bytes
  EXPECT_EQ(Cp949ToUtf8("a\xFF" "b"), "a\uFFFD" "b");     // a byte that starts no character
  EXPECT_EQ(Cp949ToUtf8("x\xB0"), "x\uFFFD");             // a character cut off at the end
}

RC_GTEST_PROP(Cp949ToUtf8, AnyBytesGiveWellFormedUtf8, (const std::string& bytes)) {
  RC_ASSERT(IsUtf8(Cp949ToUtf8(bytes)));
}
