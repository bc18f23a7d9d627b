#pragma once
// The frames of a compact GIF animation: each one only the rectangle where the
// picture a decoder shows changes, placed so that, decoded, every frame shows what
// the same frame of the plain animation shows (each image whole at the top-left,
// restored to background after it).
//
// What a decoder shows is modelled per screen pixel as a palette index or background:
// a plain frame shows its image, background elsewhere, and background for index 0
// when index 0 is transparent. Each frame is coded against the canvas the decoder
// holds before it:
//   - its rectangle bounds the pixels where its picture differs from that canvas;
//     the pixels inside it that do not differ are transparent;
//   - it is kept after display (disposal 1) unless some pixel goes from a colour to
//     background at the next frame, which transparency cannot show: then it is
//     restored to background (disposal 2) and its rectangle covers those pixels too.
//     The last frame is followed by an empty screen, so a loop starts on background;
//   - the transparent index is 0 when index 0 is transparent. Otherwise it is an index
//     of the colour table its changed pixels do not use, and there is none on a frame
//     restored after
//     display, because decoders restore a frame with a transparent index to a
//     different background (Qt clears it) than an opaque one.
// A frame with no change is one transparent pixel, which carries its delay; or, as in
// the plain file, an empty image when it is the first one and index 0 is opaque: a
// decoder starts a screen whose first frame has a transparent index transparent, else
// in the background colour.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/common/result.h"
#include "core/convert/gif_colour_table.h"
#include "core/convert/gif_lzw.h"

namespace tessaloom::Converter_Gif {

struct DeltaFrame {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
  bool Restore = false;  // disposal 2 after display, else 1
  std::optional<std::uint8_t> Transparent;
  std::vector<std::uint8_t> Pixels;  // rows bottom-up, as StoredImage reads them

  StoredImage Image() const;
};

class GifFrameDelta {
 public:
  // The screen every image is placed on at its top-left; index 0 is transparent when
  // `transparent`. The images hold palette indices, the frames made of them indices of
  // `table`.
  GifFrameDelta(int width, int height, bool transparent, const GifColourTable& table);

  // Takes the next frame's image, at most the screen's size, and returns the frame
  // before it, which only now can be coded; nothing on the first frame. Refused when
  // the image holds an index the table lacks.
  Result<std::optional<DeltaFrame>> Next(const StoredImage& image);
  // The frame held, followed by an empty screen; nothing when no frame was given.
  std::optional<DeltaFrame> Last();

 private:
  // A palette index per screen pixel, or kBackground; rows top first.
  using Picture = std::vector<std::uint16_t>;
  static constexpr std::uint16_t kBackground = 256;

  struct Area {
    int Left = 0;
    int Top = 0;
    int Right = 0;  // past the last column
    int Bottom = 0;  // past the last row
    bool Empty() const { return Right <= Left || Bottom <= Top; }
    void Include(int x, int y);
    void Include(const Area& other);
  };

  // False when the image holds an index the table lacks.
  bool Show(const StoredImage& image, Picture& picture);
  // The bounds of the screen pixels at which `found` holds.
  template <class Found>
  Area Bounds(Found found) const;
  DeltaFrame Code(const Picture& following);
  std::optional<std::uint8_t> TransparentIndex(const Area& area, bool restore) const;
  void Emit(const Area& area, DeltaFrame& frame) const;

  int m_width = 0;
  int m_height = 0;
  bool m_transparent = true;
  int m_colours = 256;  // of the table
  std::array<std::uint16_t, kPaletteEntries> m_shows{};  // what each palette index shows
  Picture m_canvas;  // what a decoder holds before the held frame
  Picture m_held;    // the held frame, coded once the one after it is known
  Picture m_next;
  bool m_holding = false;
  bool m_first = true;  // no frame coded yet
  std::vector<std::uint8_t> m_paddedRow;
};

}  // namespace tessaloom::Converter_Gif
