#include "core/sprite/spr_writer.h"

#include <string>

#include "core/common/byte_writer.h"
#include "core/common/file_io.h"
#include "core/sprite/palette.h"
#include "core/sprite/rle.h"

namespace tessaloom::Tool_Spr {
namespace {

constexpr std::uint8_t kVersionMinorCoded = 1;
constexpr std::uint8_t kVersionMajor = 2;
constexpr std::size_t kHeaderBytes = 8;
constexpr std::size_t kFrameFieldsBytes = 6;  // width, height, code length
constexpr std::size_t kMaxCodeLength = 32767;  // the code length is a signed 16-bit field
// Every 62 pixels take at least 2 bytes of code (a pair codes at most 62 zeros, any
// other pixel takes a byte), so a frame of more pixels than this needs more than
// kMaxCodeLength bytes whatever it holds. Such a frame is refused before it is coded,
// since a tiny file can declare 32767 x 32767 pixels.
constexpr std::size_t kMaxCodablePixels = (kMaxCodeLength + 1) / 2 * 62 - 1;

Error Refusal(std::string text) { return Error{.title = kSaveErrorTitle, .text = std::move(text)}; }

Status CheckDocument(const SprDocument& document) {
  if (document.Header.Palette.empty()) return Refusal("The sprite has no palette, so it cannot be saved.");
  if (document.Frames.size() > static_cast<std::size_t>(kMaxFrames)) {
    return Refusal("The sprite has " + std::to_string(document.Frames.size()) +
                   " frames; a sprite file holds at most 32767.");
  }
  return {};
}

// The code of every frame, or the refusal of the first frame that does not fit the format.
Result<std::vector<std::vector<std::uint8_t>>> EncodeFrames(const std::vector<SprFrame>& frames) {
  std::vector<std::vector<std::uint8_t>> codes;
  codes.reserve(frames.size());
  for (std::size_t i = 0; i < frames.size(); ++i) {
    const SprFrame& frame = frames[i];
    if (frame.Width < 0 || frame.Height < 0) {
      return Refusal("Frame " + std::to_string(i + 1) + " has a negative size (" + std::to_string(frame.Width) + " x " +
                     std::to_string(frame.Height) + ").");
    }
    if (static_cast<std::size_t>(frame.Width) * static_cast<std::size_t>(frame.Height) > kMaxCodablePixels) {
      return Refusal("Frame " + std::to_string(i + 1) + " has " + std::to_string(frame.Width) + " x " +
                     std::to_string(frame.Height) + " pixels, more than 32767 bytes of code can hold.");
    }
    codes.push_back(EncodeFrameRle(frame));
    if (codes.back().size() > kMaxCodeLength) {
      return Refusal("Frame " + std::to_string(i + 1) + " needs " + std::to_string(codes.back().size()) +
                     " bytes of code; a sprite file allows at most 32767 per frame.");
    }
  }
  return codes;
}

}  // namespace

Result<std::vector<std::uint8_t>> SerializeSprite(const SprDocument& document) {
  if (auto checked = CheckDocument(document); !checked) return checked.error();
  auto codes = EncodeFrames(document.Frames);
  if (!codes) return codes.error();
  const SprHeader& header = document.Header;

  std::size_t size = kHeaderBytes + header.TrailingData.size() + kPaletteBytes;
  for (const auto& code : *codes) size += kFrameFieldsBytes + code.size();
  ByteWriter writer;
  writer.Reserve(size);
  writer.Text("SP");
  writer.U8(kVersionMinorCoded);
  writer.U8(kVersionMajor);
  writer.U16(static_cast<std::uint16_t>(document.Frames.size()));
  writer.Bytes(header.Reserved);
  for (std::size_t i = 0; i < document.Frames.size(); ++i) {
    writer.I16(document.Frames[i].Width);
    writer.I16(document.Frames[i].Height);
    writer.U16(static_cast<std::uint16_t>((*codes)[i].size()));
    writer.Bytes((*codes)[i]);
  }
  writer.Bytes(header.TrailingData);
  writer.Bytes(SwapPaletteOrder(FullPalette(header.Palette)));
  return writer.Take();
}

Status SaveSprite(const std::filesystem::path& path, const SprDocument& document) {
  auto bytes = SerializeSprite(document);
  if (!bytes) {
    Error error = bytes.error();
    error.detail = "Nothing was written to \"" + DisplayName(path) + "\".";
    return error;
  }
  return WriteFileAtomically(path, *bytes, kSaveErrorTitle);
}

}  // namespace tessaloom::Tool_Spr
