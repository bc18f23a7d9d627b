#pragma once
// libpng's error handling for png_read.cpp and png_write.cpp: libpng's errors must not
// return into libpng, so the reason is recorded and control jumps back to the
// setjmp of the step that called libpng.

#include <png.h>

#include <cstdio>

namespace tessaloom::Converter_Png {

// Where libpng's last error is recorded: its error pointer points here.
struct PngErrorMessage {
  char text[256] = {};
};

[[noreturn]] inline void OnPngError(png_structp png, png_const_charp message) {
  auto* recorded = static_cast<PngErrorMessage*>(png_get_error_ptr(png));
  std::snprintf(recorded->text, sizeof recorded->text, "%s", message);
  png_longjmp(png, 1);
}

inline void OnPngWarning(png_structp, png_const_charp) {}

}  // namespace tessaloom::Converter_Png
