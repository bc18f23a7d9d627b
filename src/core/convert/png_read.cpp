// Reading any PNG as 8-bit blue, green, red, alpha through libpng's transformations.
#include "core/convert/png_codec.h"
#include "core/convert/png_errors.h"

#include <png.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace tessaloom::Converter_Png {
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
