// Compact GIFs read back by Qt's image reader show, frame by frame, exactly what the
// plain ones show.

#include <gtest/gtest.h>
#include <rapidcheck/gtest.h>

#include <algorithm>

#include <QBuffer>
#include <QImage>
#include <QImageReader>

#include "core/convert/converter_gif.h"
#include "core/generators.h"
#include "support/bmp_bytes.h"

using namespace tessaloom;
using Converter_Gif::GifCoding;
using Bytes = std::vector<std::uint8_t>;

namespace {

const SprHeader kHeader{.Palette = GradientTable(256)};

std::vector<QImage> DecodeAll(const Bytes& gif) {
  QByteArray bytes(reinterpret_cast<const char*>(gif.data()), static_cast<qsizetype>(gif.size()));
  QBuffer buffer(&bytes);
  QImageReader reader(&buffer, "gif");
  std::vector<QImage> images;
  for (QImage image; reader.read(&image);) images.push_back(image.convertToFormat(QImage::Format_ARGB32));
  return images;
}

// Pixel for pixel; every fully transparent pixel is the same.
bool SamePictures(const std::vector<QImage>& left, const std::vector<QImage>& right) {
  if (left.size() != right.size()) return false;
  for (std::size_t k = 0; k < left.size(); ++k) {
    if (left[k].size() != right[k].size()) return false;
    for (int y = 0; y < left[k].height(); ++y) {
      for (int x = 0; x < left[k].width(); ++x) {
        const QRgb a = left[k].pixel(x, y);
        const QRgb b = right[k].pixel(x, y);
        if (a != b && (qAlpha(a) != 0 || qAlpha(b) != 0)) return false;
      }
    }
  }
  return true;
}

// Frames of several sizes, some empty, some repeating an earlier one.
rc::Gen<std::vector<SprFrame>> Animation() {
  return rc::gen::exec([] {
    std::vector<SprFrame> frames;
    const auto count = *rc::gen::inRange(1, 9);
    for (int k = 0; k < count; ++k) {
      const int choice = *rc::gen::inRange(0, 8);
      if (choice == 0) {
        frames.push_back(SprFrame{.Width = *rc::gen::inRange<std::int16_t>(0, 9), .Height = 0});
      } else if (choice < 4 && !frames.empty()) {
        frames.push_back(*rc::gen::elementOf(frames));
      } else {
        frames.push_back(*gen::Frame(14, 9));
      }
    }
    return frames;
  });
}

}  // namespace

RC_GTEST_PROP(QtDecode, CompactAnimationsShowThePlainOnesPictures, (bool transparent)) {
  const auto frames = *Animation();
  // Qt reads no picture from a screen without rows.
  RC_PRE(std::ranges::any_of(frames, [](const SprFrame& frame) { return frame.Height > 0; }));
  const auto decoded = [&](GifCoding coding) {
    return DecodeAll(Converter_Gif::EncodeAnimatedGif(kHeader, frames, transparent, coding).value());
  };
  const auto plain = decoded(GifCoding::Plain);
  RC_ASSERT(plain.size() == frames.size());
  RC_ASSERT(SamePictures(decoded(GifCoding::Compact), plain));
}

// Rows long enough to fill the dictionary of 12-bit codes, which is cleared and
// started again; from 1 to 256 colours, so colour tables and first codes of every size.
RC_GTEST_PROP(QtDecode, CompactStillGifsShowThePlainOnesPicture, (bool transparent)) {
  SprFrame frame = FrameFromRows(*gen::Rows(2000, 12, 2));
  const auto colours = *rc::gen::inRange(1, 257);
  for (std::uint8_t& index : frame.Pixels) index = static_cast<std::uint8_t>(index % colours);
  const auto decoded = [&](GifCoding coding) {
    return DecodeAll(Converter_Gif::EncodeGif(kHeader, frame, transparent, coding));
  };
  RC_ASSERT(SamePictures(decoded(GifCoding::Compact), decoded(GifCoding::Plain)));
}
