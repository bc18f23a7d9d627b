#pragma once
// A sprite file read one frame record at a time (the layout is in spr_reader.h): the
// header and the palette when it is opened, then each frame decoded as it is asked
// for, then what follows the last frame. ParseSprite and LoadSprite are built on it,
// so the rules, the errors and their texts are the same whichever way a file is read;
// a caller that streams a file fails exactly where a whole load would.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "core/common/result.h"
#include "core/sprite/spr_document.h"
#include "core/sprite/sprite_source.h"

namespace tessaloom::Tool_Spr {

// A frame as NextFrame would give it, without its pixels: PixelsLength is the size
// its Pixels would have (0 for a frame that cannot be decoded).
struct FrameExtent {
  int Width = 0;
  int Height = 0;
  std::size_t PixelsLength = 0;
};

// What follows the last indexed frame.
struct SpriteTail {
  std::vector<std::uint8_t> TrailingData;
  std::vector<SprRgbaFrame> RgbaFrames;
};

class SprFrameReader {
 public:
  // Errors have ParseSprite's words.
  static Result<SprFrameReader> Over(std::span<const std::uint8_t> bytes);
  // Errors name the file, as LoadSprite's do.
  static Result<SprFrameReader> Open(const std::filesystem::path& path);

  // Everything but TrailingData, which ReadTail gives.
  const SprHeader& Header() const { return m_header; }
  int FrameCount() const { return m_header.FrameCount; }
  bool AtEnd() const { return m_read == FrameCount(); }

  // The next frame, or only its size; not past the last one.
  Result<SprFrame> NextFrame();
  Result<FrameExtent> SkipFrame();
  // Once every frame was read: the load's notice of the frames that could not be
  // decoded, one for all of them, as LoadedSprite::Warning.
  std::optional<Error> DecodeWarning() const;
  // Once every frame was read: the bytes up to the palette and the 32-bit colour
  // frames among them.
  Result<SpriteTail> ReadTail();
  // Back to the first frame, for a second pass over the file.
  void Rewind();

 private:
  struct Failure;
  enum class Pixels { Decode, Measure };

  SprFrameReader(std::unique_ptr<SpriteSource> source, std::string file);
  Status ReadHeader();
  Status CheckFrameCount() const;
  Status ReadRecord(Pixels pixels, SprFrame& frame, std::size_t& pixelsLength);
  Status ReadCoded(Pixels pixels, std::size_t start, SprFrame& frame, std::size_t& pixelsLength);
  Status ReadRaw(Pixels pixels, std::size_t start, SprFrame& frame, std::size_t& pixelsLength);
  Status ReadSize(std::size_t recordMinimum, SprFrame& frame);
  Result<std::span<const std::uint8_t>> Take(std::size_t count, std::size_t recordStart);
  Error Fail(const Failure& failure) const;
  Error CutShort(std::size_t recordStart) const;

  std::unique_ptr<SpriteSource> m_source;
  std::string m_file;  // empty for a buffer, else the file's name for messages
  SprHeader m_header;
  int m_version = 0;       // major * 256 + minor
  std::size_t m_offset = 0;  // of the next record
  int m_read = 0;          // frames read in this pass
  std::vector<int> m_undecodable;
};

}  // namespace tessaloom::Tool_Spr
