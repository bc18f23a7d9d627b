#include "core/operations/bitmap_frame.h"

#include <cstdint>
#include <utility>

#include "core/sprite/spr_edit.h"

namespace tessaloom {

Status InsertBitmapFrame(SprDocument& sprite, int after, Converter_Bmp::BmpImage bitmap) {
  SprFrame frame;
  frame.Width = bitmap.Width;
  frame.Height = bitmap.Height;
  frame.DataSize = static_cast<std::int32_t>(bitmap.Pixels.size());
  frame.Pixels = std::move(bitmap.Pixels);
  Status inserted = Tool_Spr::InsertFrame(sprite, after, std::move(frame));
  if (inserted && sprite.Header.Palette.empty()) sprite.Header.Palette = std::move(bitmap.ColorTable);
  return inserted;
}

}  // namespace tessaloom
