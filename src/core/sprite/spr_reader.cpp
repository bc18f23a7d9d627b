#include "core/sprite/spr_reader.h"

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "core/common/byte_reader.h"
#include "core/common/file_io.h"
#include "core/sprite/palette.h"
#include "core/sprite/rgba_frames.h"
#include "core/sprite/rle.h"

namespace tessaloom::Tool_Spr {
namespace {

constexpr std::size_t kHeaderBytes = 8;
constexpr std::size_t kCodedRecordMinimum = 6;  // width, height, byte count
constexpr std::size_t kRawRecordMinimum = 4;    // width, height

// What went wrong, before it is worded for ParseSprite or for LoadSprite.
struct Failure {
  std::string reason;  // a phrase such as "frame 3 is cut short"
  std::size_t offset = 0;
  bool wrongMagic = false;
};

class SpriteParser {
 public:
  explicit SpriteParser(std::span<const std::uint8_t> bytes) : m_bytes(bytes), m_reader(bytes) {}

  std::optional<Failure> Run() {
    if (auto failure = ReadHeader()) return failure;
    if (auto failure = ReadFrames()) return failure;
    KeepTrailingData();
    if (m_version >= kRgbaFramesVersion) {
      m_document.RgbaFrames = DecodeRgbaFrames(m_document.Header.Reserved, m_document.Header.TrailingData);
    }
    return std::nullopt;
  }
  SprDocument TakeDocument() { return std::move(m_document); }
  const std::vector<int>& UndecodableFrames() const { return m_undecodable; }

 private:
  std::optional<Failure> ReadHeader() {
    // The palette is read first, so a file too short for it fails before its magic is seen.
    if (m_bytes.size() < kPaletteBytes) {
      return Failure{"the file is cut short: it has " + std::to_string(m_bytes.size()) +
                         " bytes, fewer than the 1024-byte palette a sprite ends with",
                     m_bytes.size()};
    }
    if (m_bytes[0] != 'S' || m_bytes[1] != 'P') return Failure{.wrongMagic = true};

    SprHeader& header = m_document.Header;
    header.Palette = SwapPaletteOrder(m_bytes.last(kPaletteBytes));
    m_reader.Skip(2);
    const std::uint8_t minor = m_reader.U8();
    header.Compressed = minor != 0 ? 1 : 0;
    m_version = m_reader.U8() << 8 | minor;
    header.FrameCount = m_reader.I16();
    header.Reserved = {m_reader.U8(), m_reader.U8()};
    return CheckFrameCount();
  }

  // The count is checked against the file before anything is reserved for it.
  std::optional<Failure> CheckFrameCount() const {
    const int count = m_document.Header.FrameCount;
    if (count < 0) return Failure{"the frame count is negative (" + std::to_string(count) + ")", 4};
    const std::size_t minimum = m_document.Header.Compressed ? kCodedRecordMinimum : kRawRecordMinimum;
    if (static_cast<std::size_t>(count) * minimum > m_bytes.size() - kHeaderBytes) {
      return Failure{"the file declares " + std::to_string(count) + " frames, more than its " +
                         std::to_string(m_bytes.size()) + " bytes can hold",
                     4};
    }
    return std::nullopt;
  }

  std::optional<Failure> ReadFrames() {
    const int count = m_document.Header.FrameCount;
    m_document.Frames.resize(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
      SprFrame& frame = m_document.Frames[static_cast<std::size_t>(i)];
      const auto failure = m_document.Header.Compressed ? ReadCodedFrame(i + 1, frame) : ReadRawFrame(i + 1, frame);
      if (failure) return failure;
    }
    return std::nullopt;
  }

  std::optional<Failure> ReadCodedFrame(int number, SprFrame& frame) {
    const std::size_t start = m_reader.Offset();
    if (auto failure = ReadSize(number, kCodedRecordMinimum, frame)) return failure;
    const int byteCount = m_reader.I16();
    if (byteCount < 0) {
      return Failure{"frame " + std::to_string(number) + " has a negative byte count (" + std::to_string(byteCount) + ")",
                     start + 4};
    }
    const auto code = m_reader.Bytes(static_cast<std::size_t>(byteCount));
    if (!m_reader.Ok()) return CutShort(number, start);

    std::optional<std::vector<std::uint8_t>> pixels = DecodeFrameRle(code, frame.Width);
    if (pixels) {
      frame.Pixels = std::move(*pixels);
    } else {
      m_undecodable.push_back(number);
    }
    frame.DataSize = byteCount;
    frame.FrameNumber = static_cast<std::int16_t>(number);
    return std::nullopt;
  }

  // Raw rows come top-down and unpadded; they are stored like coded frames.
  std::optional<Failure> ReadRawFrame(int number, SprFrame& frame) {
    const std::size_t start = m_reader.Offset();
    if (auto failure = ReadSize(number, kRawRecordMinimum, frame)) return failure;
    const std::size_t width = static_cast<std::size_t>(frame.Width);
    const std::size_t height = static_cast<std::size_t>(frame.Height);
    const auto rows = m_reader.Bytes(width * height);
    if (!m_reader.Ok()) return CutShort(number, start);

    const std::size_t stride = static_cast<std::size_t>(RowStride(frame.Width));
    frame.Pixels.assign(height * stride, 0);
    for (std::size_t y = 0; y < height && width > 0; ++y) {
      std::memcpy(frame.Pixels.data() + (height - 1 - y) * stride, rows.data() + y * width, width);
    }
    frame.DataSize = static_cast<std::int32_t>(width * height);
    return std::nullopt;
  }

  std::optional<Failure> ReadSize(int number, std::size_t recordMinimum, SprFrame& frame) {
    const std::size_t start = m_reader.Offset();
    if (!m_reader.Has(recordMinimum)) return CutShort(number, start);
    frame.Width = m_reader.I16();
    frame.Height = m_reader.I16();
    if (frame.Width < 0 || frame.Height < 0) {
      return Failure{"frame " + std::to_string(number) + " has a negative size (" + std::to_string(frame.Width) +
                         " x " + std::to_string(frame.Height) + ")",
                     start};
    }
    return std::nullopt;
  }

  static Failure CutShort(int number, std::size_t start) {
    return Failure{"frame " + std::to_string(number) + " is cut short", start};
  }

  // Whatever lies between the last indexed frame and the palette is kept for saving.
  void KeepTrailingData() {
    const std::size_t framesEnd = m_reader.Offset();
    const std::size_t paletteStart = m_bytes.size() - kPaletteBytes;
    if (framesEnd < paletteStart) {
      const auto trailing = m_bytes.subspan(framesEnd, paletteStart - framesEnd);
      m_document.Header.TrailingData.assign(trailing.begin(), trailing.end());
    }
  }

  std::span<const std::uint8_t> m_bytes;
  ByteReader m_reader;
  SprDocument m_document;
  int m_version = 0;  // major * 256 + minor
  std::vector<int> m_undecodable;
};

// `file` is empty for a buffer, or the file's name for LoadSprite.
std::string Subject(const std::string& file, bool capital) {
  if (!file.empty()) return "\"" + file + "\"";
  return capital ? "The file" : "the file";
}

Error ToError(const Failure& failure, const std::string& file) {
  Error error{.title = kOpenErrorTitle, .offset = failure.offset};
  if (failure.wrongMagic) {
    error.text = kNotASpriteText;
    error.detail = Subject(file, true) + " does not begin with the letters \"SP\".";
  } else if (file.empty()) {
    error.text = failure.reason + ".";
    error.text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(error.text[0])));
    error.detail = "At byte offset " + std::to_string(failure.offset) + " of the file.";
  } else {
    error.text = "Cannot read " + Subject(file, false) + ": " + failure.reason + ".";
    error.detail = "At byte offset " + std::to_string(failure.offset) + " of " + Subject(file, false) + ".";
  }
  return error;
}

Error DecodeWarning(const std::vector<int>& frames, const std::string& file) {
  std::string list;
  for (int number : frames) list += (list.empty() ? "" : ", ") + std::to_string(number);
  const bool one = frames.size() == 1;
  return Error{.title = kDecodeWarningTitle,
               .text = kDecodeWarningText,
               .detail = std::string(one ? "Frame " : "Frames ") + list + " of " + Subject(file, false) +
                         (one ? " ends" : " end") + " in a 0 without its count byte and " +
                         (one ? "was" : "were") + " left empty."};
}

Result<LoadedSprite> Parse(std::span<const std::uint8_t> bytes, const std::string& file) {
  SpriteParser parser(bytes);
  if (auto failure = parser.Run()) return ToError(*failure, file);
  LoadedSprite loaded{.Document = parser.TakeDocument()};
  if (!parser.UndecodableFrames().empty()) loaded.Warning = DecodeWarning(parser.UndecodableFrames(), file);
  return loaded;
}

}  // namespace

Result<LoadedSprite> ParseSprite(std::span<const std::uint8_t> bytes) { return Parse(bytes, {}); }

Result<LoadedSprite> LoadSprite(const std::filesystem::path& path) {
  auto bytes = ReadWholeFile(path, kOpenErrorTitle);
  if (!bytes) return bytes.error();
  return Parse(*bytes, DisplayName(path));
}

}  // namespace tessaloom::Tool_Spr
