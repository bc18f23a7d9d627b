#include "core/convert/png_codec.h"
#include "core/convert/png_errors.h"

#include <png.h>

#include <cstdio>
#include <new>
#include <string>

namespace tessaloom::Converter_Png {
namespace {

struct WriteContext {
  std::vector<std::uint8_t>* out = nullptr;
  PngErrorMessage error;
};

void OnWrite(png_structp png, png_bytep data, png_size_t size) {
  auto* context = static_cast<WriteContext*>(png_get_io_ptr(png));
  bool exhausted = false;
  try {
    context->out->insert(context->out->end(), data, data + size);
  } catch (const std::bad_alloc&) {
    exhausted = true;
  }
  // Outside the catch block: png_error does not return.
  if (exhausted) png_error(png, "out of memory");
}

void OnFlush(png_structp) {}

// No object with a destructor may live in this frame: libpng's errors longjmp into it.
bool RunWrite(png_structp png, png_infop info, const PngRows& rows, const png_color* palette, png_bytepp rowPointers) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_IHDR(png, info, rows.Width, rows.Height, 8, rows.Indexed ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB,
               PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (rows.Indexed) {
    png_set_PLTE(png, info, palette, static_cast<int>(rows.Palette.size() / 3));
    if (!rows.Alpha.empty()) {
      png_set_tRNS(png, info, rows.Alpha.data(), static_cast<int>(rows.Alpha.size()), nullptr);
    }
  }
  png_write_info(png, info);
  png_write_image(png, rowPointers);
  png_write_end(png, info);
  return true;
}

std::vector<png_color> PngPalette(std::span<const std::uint8_t> triples) {
  std::vector<png_color> palette(triples.size() / 3);
  for (std::size_t i = 0; i < palette.size(); ++i) {
    palette[i] = png_color{triples[3 * i], triples[3 * i + 1], triples[3 * i + 2]};
  }
  return palette;
}

Error PngError(const char* title, std::string text, std::string detail) {
  return Error{.title = title, .text = std::move(text), .detail = std::move(detail)};
}

}  // namespace

Result<std::vector<std::uint8_t>> WritePngRows(const PngRows& rows, const char* title) {
  std::vector<std::uint8_t> out;
  WriteContext context{.out = &out};
  const std::vector<png_color> palette = PngPalette(rows.Palette);
  // libpng writes rows without transformations, so it never changes them.
  std::vector<png_bytep> rowPointers;
  rowPointers.reserve(rows.Rows.size());
  for (const std::uint8_t* row : rows.Rows) rowPointers.push_back(const_cast<png_bytep>(row));

  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &context.error, OnPngError, OnPngWarning);
  if (png == nullptr) return PngError(title, "The PNG image could not be written", "libpng could not start");
  png_infop info = png_create_info_struct(png);
  if (info != nullptr) png_set_write_fn(png, &context, OnWrite, OnFlush);
  const bool written = info != nullptr && RunWrite(png, info, rows, palette.data(), rowPointers.data());
  png_destroy_write_struct(&png, &info);
  if (!written) return PngError(title, "The PNG image could not be written", context.error.text);
  return out;
}

}  // namespace tessaloom::Converter_Png
