// libpng behind the seam of png_codec.h: writing rows as a PNG file, and reading any
// PNG as 8-bit blue, green, red, alpha through libpng's transformations. libpng's
// errors must not return into libpng, so the reason is recorded and control jumps
// back to the setjmp of the step that called libpng.
#include "core/convert/png_codec.h"

#include <png.h>

#include <cstdio>
#include <cstring>
#include <new>
#include <string>

namespace tessaloom::Converter_Png {
namespace {

// Where libpng's last error is recorded: its error pointer points here.
struct PngErrorMessage {
  char text[256] = {};
};

[[noreturn]] void OnPngError(png_structp png, png_const_charp message) {
  auto* recorded = static_cast<PngErrorMessage*>(png_get_error_ptr(png));
  std::snprintf(recorded->text, sizeof recorded->text, "%s", message);
  png_longjmp(png, 1);
}

void OnPngWarning(png_structp, png_const_charp) {}


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

int ColorType(PngRows::Kind layout) {
  switch (layout) {
    case PngRows::Kind::Indexed: return PNG_COLOR_TYPE_PALETTE;
    case PngRows::Kind::Rgb: return PNG_COLOR_TYPE_RGB;
    case PngRows::Kind::Rgba: return PNG_COLOR_TYPE_RGB_ALPHA;
  }
  return PNG_COLOR_TYPE_RGB;
}

// No object with a destructor may live in this frame: libpng's errors longjmp into it.
bool RunWrite(png_structp png, png_infop info, const PngRows& rows, const png_color* palette, png_bytepp rowPointers) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_IHDR(png, info, rows.Width, rows.Height, 8, ColorType(rows.Layout), PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (rows.Layout == PngRows::Kind::Indexed) {
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

namespace {

struct ReadContext {
  std::span<const std::uint8_t> bytes;
  std::size_t offset = 0;
  PngErrorMessage error;
};

struct PngShape {
  std::uint32_t Width = 0;
  std::uint32_t Height = 0;
  std::size_t RowBytes = 0;
};

void OnRead(png_structp png, png_bytep data, png_size_t size) {
  auto* context = static_cast<ReadContext*>(png_get_io_ptr(png));
  if (context->bytes.size() - context->offset < size) png_error(png, "the file ends early");
  std::memcpy(data, context->bytes.data() + context->offset, size);
  context->offset += size;
}

// Every colour type and depth becomes 8-bit BGRA: palettes and small greys expanded,
// tRNS turned into alpha, 16 bits scaled, grey made RGB, opaque alpha added.
// No object with a destructor may live in this frame: libpng's errors longjmp into it.
bool ReadHeader(png_structp png, png_infop info, PngShape* shape) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_info(png, info);
  png_set_expand(png);
  png_set_scale_16(png);
  png_set_gray_to_rgb(png);
  png_set_bgr(png);
  png_set_add_alpha(png, 0xFF, PNG_FILLER_AFTER);
  png_set_interlace_handling(png);
  png_read_update_info(png, info);
  shape->Width = png_get_image_width(png, info);
  shape->Height = png_get_image_height(png, info);
  shape->RowBytes = png_get_rowbytes(png, info);
  return true;
}

// The same rule as ReadHeader: nothing with a destructor here.
bool ReadRows(png_structp png, png_infop info, png_bytepp rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_image(png, rows);
  png_read_end(png, info);
  return true;
}

Error Unreadable(const char* title, const char* reason) {
  return Error{.title = title, .text = "The PNG picture cannot be read", .detail = reason};
}

Result<BgraPicture> ReadPicture(png_structp png, png_infop info, ReadContext& context, std::size_t maxPixels,
                                const char* title) {
  PngShape shape;
  if (!ReadHeader(png, info, &shape)) return Unreadable(title, context.error.text);
  if (std::size_t{shape.Width} * shape.Height > maxPixels) {
    return Error{.title = title,
                 .text = "The picture is too large",
                 .detail = std::to_string(shape.Width) + " x " + std::to_string(shape.Height) +
                           " pixels; at most " + std::to_string(maxPixels)};
  }
  if (shape.RowBytes != 4 * std::size_t{shape.Width}) return Unreadable(title, "unexpected row size");

  BgraPicture picture{.Width = shape.Width, .Height = shape.Height, .Bgra = {}};
  picture.Bgra.resize(shape.RowBytes * shape.Height);
  std::vector<png_bytep> rows(shape.Height);
  for (std::size_t y = 0; y < rows.size(); ++y) rows[y] = picture.Bgra.data() + y * shape.RowBytes;
  if (!ReadRows(png, info, rows.data())) return Unreadable(title, context.error.text);
  return picture;
}

}  // namespace

Result<BgraPicture> ReadPngBgra(std::span<const std::uint8_t> bytes, std::size_t maxPixels, const char* title) {
  ReadContext context{.bytes = bytes};
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &context.error, OnPngError, OnPngWarning);
  if (png == nullptr) return Unreadable(title, "libpng could not start");
  png_infop info = png_create_info_struct(png);
  if (info == nullptr) {
    png_destroy_read_struct(&png, nullptr, nullptr);
    return Unreadable(title, "libpng could not start");
  }
  png_set_read_fn(png, &context, OnRead);
  Result<BgraPicture> picture = ReadPicture(png, info, context, maxPixels, title);
  png_destroy_read_struct(&png, &info, nullptr);
  return picture;
}

}  // namespace tessaloom::Converter_Png
