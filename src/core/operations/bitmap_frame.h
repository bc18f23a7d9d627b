#pragma once
// Adding an 8-bit bitmap to a sprite as a new frame, as both the main window and
// tessaloom-cli offer it.

#include "core/common/result.h"
#include "core/convert/converter_bmp.h"
#include "core/sprite/spr_document.h"

namespace tessaloom {

// Inserts `bitmap` as a frame after the 1-based frame `after` (0 puts it first), with
// Tool_Spr::InsertFrame's rules for the position and the number of frames. The
// bitmap's pixels are indices into the sprite's palette; a sprite without a palette
// takes the bitmap's colour table. On an error the sprite is unchanged.
Status InsertBitmapFrame(SprDocument& sprite, int after, Converter_Bmp::BmpImage bitmap);

}  // namespace tessaloom
