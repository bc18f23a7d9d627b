#include "core/sprite/spr_frame_reader.h"

#include <cassert>
#include <cctype>
#include <cstring>
#include <utility>

#include "core/common/byte_reader.h"
#include "core/common/file_io.h"
#include "core/sprite/palette.h"
#include "core/sprite/rgba_frames.h"
#include "core/sprite/rle.h"
#include "core/sprite/spr_reader.h"

namespace tessaloom::Tool_Spr {
namespace {

constexpr std::size_t kHeaderBytes = 8;
constexpr std::size_t kCodedRecordMinimum = 6;  // width, height, byte count
constexpr std::size_t kRawRecordMinimum = 4;    // width, height

// `file` is empty for a buffer, or the file's name.
std::string Subject(const std::string& file, bool capital) {
  if (!file.empty()) return "\"" + file + "\"";
  return capital ? "The file" : "the file";
}

}  // namespace

// What went wrong, before it is worded for a buffer or for a named file.
struct SprFrameReader::Failure {
  std::string reason;  // a phrase such as "frame 3 is cut short"
  std::size_t offset = 0;
  bool wrongMagic = false;
};

SprFrameReader::SprFrameReader(std::unique_ptr<SpriteSource> source, std::string file)
    : m_source(std::move(source)), m_file(std::move(file)) {}

Result<SprFrameReader> SprFrameReader::Over(std::span<const std::uint8_t> bytes) {
  SprFrameReader reader(std::make_unique<BufferSource>(bytes), {});
  if (Status header = reader.ReadHeader(); !header) return header.error();
  return reader;
}

Result<SprFrameReader> SprFrameReader::Open(const std::filesystem::path& path) {
  auto source = FileSource::Open(path, kOpenErrorTitle);
  if (!source) return source.error();
  SprFrameReader reader(std::move(*source), DisplayName(path));
  if (Status header = reader.ReadHeader(); !header) return header.error();
  return reader;
}

Status SprFrameReader::ReadHeader() {
  // The palette comes first, so a file too short for it fails before its magic is seen.
  const std::size_t size = m_source->Size();
  if (size < kPaletteBytes) {
    return Fail({"the file is cut short: it has " + std::to_string(size) +
                     " bytes, fewer than the 1024-byte palette a sprite ends with",
                 size});
  }
  auto head = m_source->Read(0, kHeaderBytes);
  if (!head) return head.error();
  ByteReader reader(*head);
  if (reader.U8() != 'S' || reader.U8() != 'P') return Fail({.wrongMagic = true});
  const std::uint8_t minor = reader.U8();
  m_header.Compressed = minor != 0 ? 1 : 0;
  m_version = reader.U8() << 8 | minor;
  m_header.FrameCount = reader.I16();
  m_header.Reserved = {reader.U8(), reader.U8()};
  m_offset = kHeaderBytes;

  auto palette = m_source->Read(size - kPaletteBytes, kPaletteBytes);
  if (!palette) return palette.error();
  m_header.Palette = SwapPaletteOrder(*palette);
  return CheckFrameCount();
}

// The count is checked against the file before anything is reserved for it.
Status SprFrameReader::CheckFrameCount() const {
  const int count = m_header.FrameCount;
  if (count < 0) return Fail({"the frame count is negative (" + std::to_string(count) + ")", 4});
  const std::size_t minimum = m_header.Compressed ? kCodedRecordMinimum : kRawRecordMinimum;
  if (static_cast<std::size_t>(count) * minimum > m_source->Size() - kHeaderBytes) {
    return Fail({"the file declares " + std::to_string(count) + " frames, more than its " +
                     std::to_string(m_source->Size()) + " bytes can hold",
                 4});
  }
  return {};
}

Result<SprFrame> SprFrameReader::NextFrame() {
  SprFrame frame;
  std::size_t pixelsLength = 0;
  if (Status read = ReadRecord(Pixels::Decode, frame, pixelsLength); !read) return read.error();
  return frame;
}

Result<FrameExtent> SprFrameReader::SkipFrame() {
  SprFrame frame;
  std::size_t pixelsLength = 0;
  if (Status read = ReadRecord(Pixels::Measure, frame, pixelsLength); !read) return read.error();
  return FrameExtent{.Width = frame.Width, .Height = frame.Height, .PixelsLength = pixelsLength};
}

Status SprFrameReader::ReadRecord(Pixels pixels, SprFrame& frame, std::size_t& pixelsLength) {
  assert(!AtEnd());
  const std::size_t start = m_offset;
  if (Status size = ReadSize(m_header.Compressed ? kCodedRecordMinimum : kRawRecordMinimum, frame); !size) return size;
  Status read = m_header.Compressed ? ReadCoded(pixels, start, frame, pixelsLength)
                                    : ReadRaw(pixels, start, frame, pixelsLength);
  if (read) ++m_read;
  return read;
}

// Leaves the byte count of a coded record unread.
Status SprFrameReader::ReadSize(std::size_t recordMinimum, SprFrame& frame) {
  const std::size_t start = m_offset;
  auto head = Take(kRawRecordMinimum, start);
  if (!head || m_source->Size() - start < recordMinimum) return CutShort(start);
  ByteReader reader(*head);
  frame.Width = reader.I16();
  frame.Height = reader.I16();
  if (frame.Width < 0 || frame.Height < 0) {
    return Fail({"frame " + std::to_string(m_read + 1) + " has a negative size (" + std::to_string(frame.Width) +
                     " x " + std::to_string(frame.Height) + ")",
                 start});
  }
  return {};
}

Status SprFrameReader::ReadCoded(Pixels pixels, std::size_t start, SprFrame& frame, std::size_t& pixelsLength) {
  const int number = m_read + 1;
  auto countBytes = Take(2, start);
  if (!countBytes) return countBytes.error();
  const int byteCount = ByteReader(*countBytes).I16();
  if (byteCount < 0) {
    return Fail({"frame " + std::to_string(number) + " has a negative byte count (" + std::to_string(byteCount) + ")",
                 start + 4});
  }
  auto code = Take(static_cast<std::size_t>(byteCount), start);
  if (!code) return code.error();

  if (pixels == Pixels::Decode) {
    std::optional<std::vector<std::uint8_t>> decoded = DecodeFrameRle(*code, frame.Width);
    if (decoded) frame.Pixels = std::move(*decoded);
    pixelsLength = frame.Pixels.size();
    if (!decoded) m_undecodable.push_back(number);
  } else {
    const std::optional<std::size_t> length = DecodedFrameSize(*code, frame.Width);
    pixelsLength = length.value_or(0);
    if (!length) m_undecodable.push_back(number);
  }
  frame.DataSize = byteCount;
  frame.FrameNumber = static_cast<std::int16_t>(number);
  return {};
}

// Raw rows come top-down and unpadded; they are stored like coded frames.
Status SprFrameReader::ReadRaw(Pixels pixels, std::size_t start, SprFrame& frame, std::size_t& pixelsLength) {
  const std::size_t width = static_cast<std::size_t>(frame.Width);
  const std::size_t height = static_cast<std::size_t>(frame.Height);
  const std::size_t stride = static_cast<std::size_t>(RowStride(frame.Width));
  pixelsLength = height * stride;
  frame.DataSize = static_cast<std::int32_t>(width * height);
  if (pixels == Pixels::Measure) {
    if (m_source->Size() - m_offset < width * height) return CutShort(start);
    m_offset += width * height;
    return {};
  }
  auto rows = Take(width * height, start);
  if (!rows) return rows.error();
  frame.Pixels.assign(pixelsLength, 0);
  for (std::size_t y = 0; y < height && width > 0; ++y) {
    std::memcpy(frame.Pixels.data() + (height - 1 - y) * stride, rows->data() + y * width, width);
  }
  return {};
}

// The next `count` bytes of the record that starts at `recordStart`.
Result<std::span<const std::uint8_t>> SprFrameReader::Take(std::size_t count, std::size_t recordStart) {
  if (m_source->Size() - m_offset < count) return CutShort(recordStart);
  auto bytes = m_source->Read(m_offset, count);
  if (bytes) m_offset += count;
  return bytes;
}

std::optional<Error> SprFrameReader::DecodeWarning() const {
  assert(AtEnd());
  if (m_undecodable.empty()) return std::nullopt;
  std::string list;
  for (int number : m_undecodable) list += (list.empty() ? "" : ", ") + std::to_string(number);
  const bool one = m_undecodable.size() == 1;
  return Error{.title = kDecodeWarningTitle,
               .text = kDecodeWarningText,
               .detail = std::string(one ? "Frame " : "Frames ") + list + " of " + Subject(m_file, false) +
                         (one ? " ends" : " end") + " in a 0 without its count byte and " +
                         (one ? "was" : "were") + " left empty."};
}

// Whatever lies between the last indexed frame and the palette is kept for saving.
Result<SpriteTail> SprFrameReader::ReadTail() {
  assert(AtEnd());
  SpriteTail tail;
  const std::size_t paletteStart = m_source->Size() - kPaletteBytes;
  if (m_offset < paletteStart) {
    auto trailing = m_source->Read(m_offset, paletteStart - m_offset);
    if (!trailing) return trailing.error();
    tail.TrailingData.assign(trailing->begin(), trailing->end());
  }
  if (m_version >= kRgbaFramesVersion) tail.RgbaFrames = DecodeRgbaFrames(m_header.Reserved, tail.TrailingData);
  return tail;
}

void SprFrameReader::Rewind() {
  m_offset = kHeaderBytes;
  m_read = 0;
  m_undecodable.clear();
}

Error SprFrameReader::Fail(const Failure& failure) const {
  Error error{.title = kOpenErrorTitle, .offset = failure.offset};
  if (failure.wrongMagic) {
    error.text = kNotASpriteText;
    error.detail = Subject(m_file, true) + " does not begin with the letters \"SP\".";
  } else if (m_file.empty()) {
    error.text = failure.reason + ".";
    error.text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(error.text[0])));
    error.detail = "At byte offset " + std::to_string(failure.offset) + " of the file.";
  } else {
    error.text = "Cannot read " + Subject(m_file, false) + ": " + failure.reason + ".";
    error.detail = "At byte offset " + std::to_string(failure.offset) + " of " + Subject(m_file, false) + ".";
  }
  return error;
}

Error SprFrameReader::CutShort(std::size_t recordStart) const {
  return Fail({"frame " + std::to_string(m_read + 1) + " is cut short", recordStart});
}

}  // namespace tessaloom::Tool_Spr
