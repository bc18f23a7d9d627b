#pragma once
// Text stored in the game's files. Names in them (the sound files of an action file's
// events) are bytes in the Korean code page CP949, not UTF-8; the model keeps the
// bytes so that files round-trip unchanged, and only what is shown is decoded.

#include <string>
#include <string_view>

namespace tessaloom {

// `bytes` read as CP949 and written as UTF-8. ASCII passes through unchanged; every
// byte sequence that does not decode becomes U+FFFD. Never fails.
std::string Cp949ToUtf8(std::string_view bytes);

}  // namespace tessaloom
