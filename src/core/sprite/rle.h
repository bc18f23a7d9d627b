#pragma once
// The run-length code of a sprite frame.
//
// Code: the frame's pixels, image rows top-down, exactly Width bytes per row with no
// padding, coded as one string:
//   byte b != 0  -> one pixel of palette index b
//   0, c         -> c pixels of index 0 (c = 0..255; 0, 0 yields nothing)
// Zero runs continue across row boundaries. The encoder writes at most 62 zeros per
// pair, so a longer run continues with a further pair.
//
// In memory a frame is bottom-up rows of RowStride(Width) bytes, the padding zero.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "core/sprite/spr_document.h"

namespace tessaloom::Tool_Spr {

// Expands `code` and lays it out as bottom-up rows: the expansion is cut into rows of
// `width` bytes from its start (the last row may be shorter, its length is not checked
// against the frame's height), and each row, followed by the row padding, is put in
// front of the rows before it. Returns nullopt when the code ends in a 0 without its
// count byte. A width of 0 or less has no rows: the result is empty.
std::optional<std::vector<std::uint8_t>> DecodeFrameRle(std::span<const std::uint8_t> code, int width);

// The size of what DecodeFrameRle gives for `code`, found without decoding it.
std::optional<std::size_t> DecodedFrameSize(std::span<const std::uint8_t> code, int width);

// Codes the frame's Width x Height pixels, read from its bottom-up rows of
// RowStride(Width) bytes. Bytes missing from a short Pixels count as index 0.
std::vector<std::uint8_t> EncodeFrameRle(const SprFrame& frame);

}  // namespace tessaloom::Tool_Spr
