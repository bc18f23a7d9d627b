#pragma once
// Check of the run-length decoder against a plain reference, and of the encoder
// against the decoder. Input: the frame width (int16, little-endian), then the code.
//
// The reference follows the format's rule literally: expand the code into one string,
// cut it into rows of Width bytes from its start (the last row may be shorter), and
// put every row, followed by its padding, in front of the rows before it.

#include <algorithm>

#include "fuzz/check_types.h"
#include "core/sprite/rle.h"

namespace tessaloom::fuzz {

// The input of the check: `width` then `code`.
inline std::vector<std::uint8_t> RleInput(std::int16_t width, Input code) {
  const auto word = static_cast<std::uint16_t>(width);
  std::vector<std::uint8_t> input{static_cast<std::uint8_t>(word), static_cast<std::uint8_t>(word >> 8)};
  input.insert(input.end(), code.begin(), code.end());
  return input;
}

// nullopt when the code ends in a 0 without its count.
inline std::optional<std::vector<std::uint8_t>> ExpandCode(Input code) {
  std::vector<std::uint8_t> expanded;
  for (std::size_t at = 0; at < code.size(); ++at) {
    if (code[at] != 0) {
      expanded.push_back(code[at]);
      continue;
    }
    if (++at == code.size()) return std::nullopt;
    expanded.insert(expanded.end(), code[at], 0);
  }
  return expanded;
}

// The expansion laid out as rows, by the rule itself.
inline std::vector<std::uint8_t> ReferenceRows(Input expanded, int width) {
  std::vector<std::uint8_t> pixels;
  if (width <= 0) return pixels;
  const std::size_t rowWidth = static_cast<std::size_t>(width);
  const std::size_t padding = static_cast<std::size_t>(RowStride(width) - width);
  // Putting each row in front of the ones before it is appending them last row first.
  const std::size_t rows = (expanded.size() + rowWidth - 1) / rowWidth;
  for (std::size_t row = rows; row-- > 0;) {
    const Input rest = expanded.subspan(row * rowWidth);
    const Input rowBytes = rest.first(std::min(rowWidth, rest.size()));
    pixels.insert(pixels.end(), rowBytes.begin(), rowBytes.end());
    pixels.insert(pixels.end(), padding, 0);
  }
  return pixels;
}

// The encoder writes zero runs as pairs of 1 to 62.
inline Problem CheckZeroPairs(Input code) {
  for (std::size_t at = 0; at < code.size(); ++at) {
    if (code[at] != 0) continue;
    if (at + 1 == code.size()) return std::string("the encoder ends its code in a lone 0");
    const int run = code[++at];
    if (run < 1 || run > 62) return "the encoder writes a zero run of " + std::to_string(run);
  }
  return std::nullopt;
}

// A decoded frame whose expansion fills whole rows is encoded and decoded again.
inline Problem CheckReencoding(const std::vector<std::uint8_t>& pixels, int width, std::size_t expandedSize) {
  if (width <= 0 || expandedSize == 0 || expandedSize % static_cast<std::size_t>(width) != 0) return std::nullopt;
  const std::size_t height = expandedSize / static_cast<std::size_t>(width);
  if (height > static_cast<std::size_t>(kMaxDimension)) return std::nullopt;
  const auto code = Tool_Spr::EncodeFrameRle(
      {.Width = static_cast<std::int16_t>(width), .Height = static_cast<std::int16_t>(height), .Pixels = pixels});
  if (auto problem = CheckZeroPairs(code)) return problem;
  const auto again = Tool_Spr::DecodeFrameRle(code, width);
  if (!again || *again != pixels) return std::string("encoding and decoding again changes the frame");
  return std::nullopt;
}

inline Problem CheckRle(Input input) {
  if (input.size() < 2) return std::nullopt;
  const int width = static_cast<std::int16_t>(input[0] | (input[1] << 8));
  const Input code = input.subspan(2);
  const auto decoded = Tool_Spr::DecodeFrameRle(code, width);
  const auto expanded = ExpandCode(code);
  if (decoded.has_value() != expanded.has_value()) {
    return std::string(decoded ? "a code ending in a lone 0 is decoded" : "a complete code is refused");
  }
  if (!decoded) return std::nullopt;
  if (*decoded != ReferenceRows(*expanded, width)) return "width " + std::to_string(width) + ": rows unlike the reference";
  return CheckReencoding(*decoded, width, expanded->size());
}

}  // namespace tessaloom::fuzz
