#include "core/sprite/rle.h"

#include <algorithm>
#include <cstring>

namespace tessaloom::Tool_Spr {
namespace {

constexpr std::uint8_t kZeroRun = 0;
constexpr std::size_t kMaxZerosPerPair = 62;

const std::uint8_t* NextZeroRun(const std::uint8_t* from, const std::uint8_t* end) {
  return static_cast<const std::uint8_t*>(std::memchr(from, kZeroRun, static_cast<std::size_t>(end - from)));
}

// The length of the expansion, counted before anything is allocated; nullopt when the
// code ends in a 0 without its count.
std::optional<std::size_t> ExpandedLength(std::span<const std::uint8_t> code) {
  const std::uint8_t* at = code.data();
  const std::uint8_t* const end = at + code.size();
  std::size_t length = 0;
  while (at < end) {
    const std::uint8_t* zero = NextZeroRun(at, end);
    if (zero == nullptr) return length + static_cast<std::size_t>(end - at);
    if (zero + 1 == end) return std::nullopt;
    length += static_cast<std::size_t>(zero - at) + zero[1];
    at = zero + 2;
  }
  return length;
}

// Puts the expansion straight into its bottom-up place while it is produced: row r of
// the expansion starts at size - (r + 1) * stride, except the last (possibly short) row,
// which comes first. The buffer starts zeroed, so zero runs and padding are only skipped.
class RowPlacer {
 public:
  RowPlacer(std::vector<std::uint8_t>& pixels, std::size_t width, std::size_t rows)
      : m_pixels(pixels.data()), m_size(pixels.size()), m_width(width),
        m_stride(static_cast<std::size_t>(RowStride(static_cast<int>(width)))), m_rows(rows) {
    StartRow();
  }

  void Copy(const std::uint8_t* from, std::size_t count) {
    while (count > 0) {
      const std::size_t n = std::min(count, m_width - m_column);
      std::memcpy(m_row + m_column, from, n);
      from += n;
      count -= n;
      Advance(n);
    }
  }

  void Skip(std::size_t count) {
    while (count > 0) {
      const std::size_t n = std::min(count, m_width - m_column);
      count -= n;
      Advance(n);
    }
  }

 private:
  void Advance(std::size_t n) {
    m_column += n;
    if (m_column < m_width) return;
    m_column = 0;
    ++m_rowIndex;
    StartRow();
  }
  void StartRow() {
    const bool lastRow = m_rowIndex + 1 >= m_rows;
    m_row = lastRow ? m_pixels : m_pixels + m_size - (m_rowIndex + 1) * m_stride;
  }

  std::uint8_t* m_pixels;
  std::size_t m_size;
  std::size_t m_width;
  std::size_t m_stride;
  std::size_t m_rows;
  std::size_t m_rowIndex = 0;
  std::size_t m_column = 0;
  std::uint8_t* m_row = nullptr;
};

// Number of zero bytes at the start of [from, from + count), a word at a time.
std::size_t LeadingZeros(const std::uint8_t* from, std::size_t count) {
  std::size_t n = 0;
  std::uint64_t word = 0;
  while (n + sizeof word <= count) {
    std::memcpy(&word, from + n, sizeof word);
    if (word != 0) break;
    n += sizeof word;
  }
  while (n < count && from[n] == 0) ++n;
  return n;
}

// Collects the code: literal bytes as they are, zeros as pending runs written out in
// pairs of at most 62.
class CodeWriter {
 public:
  explicit CodeWriter(std::size_t expectedSize) { m_code.reserve(expectedSize); }

  void Literals(const std::uint8_t* from, std::size_t count) {
    FlushZeros();
    m_code.insert(m_code.end(), from, from + count);
  }
  void Zeros(std::size_t count) {
    m_pendingZeros += count;
    for (; m_pendingZeros >= kMaxZerosPerPair; m_pendingZeros -= kMaxZerosPerPair) Pair(kMaxZerosPerPair);
  }
  std::vector<std::uint8_t> Finish() {
    FlushZeros();
    return std::move(m_code);
  }

 private:
  void FlushZeros() {
    if (m_pendingZeros > 0) Pair(m_pendingZeros);
    m_pendingZeros = 0;
  }
  void Pair(std::size_t zeros) {
    m_code.push_back(kZeroRun);
    m_code.push_back(static_cast<std::uint8_t>(zeros));
  }

  std::vector<std::uint8_t> m_code;
  std::size_t m_pendingZeros = 0;
};

void EncodeRow(const std::uint8_t* row, std::size_t count, CodeWriter& writer) {
  std::size_t at = 0;
  while (at < count) {
    const std::size_t zeros = LeadingZeros(row + at, count - at);
    writer.Zeros(zeros);
    at += zeros;
    if (at == count) break;
    const std::uint8_t* zero = NextZeroRun(row + at, row + count);
    const std::size_t literals = zero ? static_cast<std::size_t>(zero - (row + at)) : count - at;
    writer.Literals(row + at, literals);
    at += literals;
  }
}

}  // namespace

std::optional<std::size_t> DecodedFrameSize(std::span<const std::uint8_t> code, int width) {
  const std::optional<std::size_t> length = ExpandedLength(code);
  if (!length) return std::nullopt;
  if (*length == 0 || width <= 0) return 0;
  const std::size_t rowWidth = static_cast<std::size_t>(width);
  const std::size_t padding = static_cast<std::size_t>(RowStride(width) - width);
  return *length + (*length + rowWidth - 1) / rowWidth * padding;
}

std::optional<std::vector<std::uint8_t>> DecodeFrameRle(std::span<const std::uint8_t> code, int width) {
  const std::optional<std::size_t> size = DecodedFrameSize(code, width);
  if (!size) return std::nullopt;
  if (*size == 0) return std::vector<std::uint8_t>{};

  const std::size_t rowWidth = static_cast<std::size_t>(width);
  const std::size_t stride = static_cast<std::size_t>(RowStride(width));
  std::vector<std::uint8_t> pixels(*size);

  RowPlacer placer(pixels, rowWidth, (*size + stride - 1) / stride);
  const std::uint8_t* at = code.data();
  const std::uint8_t* const end = at + code.size();
  while (at < end) {
    const std::uint8_t* zero = NextZeroRun(at, end);
    const std::uint8_t* literalsEnd = zero ? zero : end;
    placer.Copy(at, static_cast<std::size_t>(literalsEnd - at));
    if (zero == nullptr) break;
    placer.Skip(zero[1]);
    at = zero + 2;
  }
  return pixels;
}

std::vector<std::uint8_t> EncodeFrameRle(const SprFrame& frame) {
  if (frame.Width <= 0 || frame.Height <= 0) return {};
  const std::size_t width = static_cast<std::size_t>(frame.Width);
  const std::size_t height = static_cast<std::size_t>(frame.Height);
  const std::size_t stride = static_cast<std::size_t>(RowStride(frame.Width));
  const std::vector<std::uint8_t>& pixels = frame.Pixels;

  CodeWriter writer(std::min(pixels.size(), width * height) / 2 + 16);
  for (std::size_t y = 0; y < height; ++y) {
    const std::size_t start = (height - 1 - y) * stride;
    const std::size_t present = start < pixels.size() ? std::min(width, pixels.size() - start) : 0;
    if (present > 0) EncodeRow(pixels.data() + start, present, writer);
    writer.Zeros(width - present);
  }
  return writer.Finish();
}

}  // namespace tessaloom::Tool_Spr
