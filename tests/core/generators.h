#pragma once
// RapidCheck generators of the core's data, kept small so that a property's hundred
// cases run in a blink.

#include <rapidcheck.h>

#include "support/act_bytes.h"
#include "support/frame_builder.h"

namespace tessaloom::gen {

using Bytes = std::vector<std::uint8_t>;

// Palette indices where 0 is drawn `zeroWeight` times as often as all the others
// together, so that zero runs of every length, past 62 and across rows, turn up. The
// others are uniform whatever the generation size, so long rows fill the GIF dictionary.
inline rc::Gen<std::uint8_t> Index(std::size_t zeroWeight) {
  return rc::gen::weightedOneOf<std::uint8_t>({{zeroWeight, rc::gen::just<std::uint8_t>(0)},
                                                {1, rc::gen::cast<std::uint8_t>(rc::gen::inRange(0, 256))}});
}

// Image rows, top first, of one width from 1 to maxWidth.
inline rc::Gen<std::vector<Bytes>> Rows(int maxWidth, int maxHeight, std::size_t maxZeroWeight = 12) {
  return rc::gen::exec([=] {
    const auto width = *rc::gen::inRange<std::size_t>(1, static_cast<std::size_t>(maxWidth) + 1);
    const auto height = *rc::gen::inRange<std::size_t>(1, static_cast<std::size_t>(maxHeight) + 1);
    const auto index = Index(*rc::gen::inRange<std::size_t>(0, maxZeroWeight));
    return *rc::gen::container<std::vector<Bytes>>(height, rc::gen::container<Bytes>(width, index));
  });
}

inline rc::Gen<SprFrame> Frame(int maxWidth = 70, int maxHeight = 5) {
  return rc::gen::map(Rows(maxWidth, maxHeight), [](const std::vector<Bytes>& rows) { return FrameFromRows(rows); });
}

// 32-bit colour frames of up to 4 x 3 pixels, empty ones included.
inline rc::Gen<SprRgbaFrame> RgbaFrame() {
  return rc::gen::exec([] {
    const auto width = *rc::gen::inRange<std::int16_t>(0, 5);
    const auto height = *rc::gen::inRange<std::int16_t>(0, 4);
    const auto pixels = static_cast<std::size_t>(width * height);
    const auto argb = rc::gen::arbitrary<std::uint32_t>();
    return SprRgbaFrame{.Width = width, .Height = height,
                        .Pixels = *rc::gen::container<std::vector<std::uint32_t>>(pixels, argb)};
  });
}

// Layers whose position and sprite index fit the 16 bits the reader keeps of them.
inline rc::Gen<ActLayerFields> ActLayer() {
  return rc::gen::exec([] {
    const auto small = [] { return static_cast<std::int32_t>(*rc::gen::arbitrary<std::int16_t>()); };
    const auto scale = [] { return static_cast<float>(*rc::gen::inRange(-40, 40)) / 8; };
    return ActLayerFields{.X = small(), .Y = small(), .SpriteIndex = small(), .Direction = *rc::gen::arbitrary<int>(),
                          .Red = *rc::gen::arbitrary<std::uint8_t>(), .Green = *rc::gen::arbitrary<std::uint8_t>(),
                          .Blue = *rc::gen::arbitrary<std::uint8_t>(), .Alpha = *rc::gen::arbitrary<std::uint8_t>(),
                          .ScaleX = scale(), .ScaleY = scale(), .Rotation = *rc::gen::arbitrary<int>(),
                          .SpriteType = *rc::gen::arbitrary<int>(), .SizeX = *rc::gen::arbitrary<int>(),
                          .SizeY = *rc::gen::arbitrary<int>()};
  });
}

template <class T>
rc::Gen<std::vector<T>> Few(rc::Gen<T> element) {
  return rc::gen::exec([=] { return *rc::gen::container<std::vector<T>>(*rc::gen::inRange(0, 4), element); });
}

// Whole action files of every layout: versions 1.0 to 2.5, and 1.5, which is laid out
// as 1.0 although its minor byte is 2.5's.
inline rc::Gen<ActFileFields> ActFile() {
  return rc::gen::exec([] {
    const auto anchor = rc::gen::build<ActAnchorFields>(
        rc::gen::set(&ActAnchorFields::Unknown), rc::gen::set(&ActAnchorFields::X), rc::gen::set(&ActAnchorFields::Y),
        rc::gen::set(&ActAnchorFields::Attribute));
    const auto clip = rc::gen::build<ActClipFields>(rc::gen::set(&ActClipFields::Layers, Few(ActLayer())),
                                                    rc::gen::set(&ActClipFields::EventIndex),
                                                    rc::gen::set(&ActClipFields::Anchors, Few(anchor)));
    ActFileFields file{.VersionWord = *rc::gen::element<std::uint16_t>(0x0100, 0x0105, 0x0200, 0x0201, 0x0202,
                                                                         0x0203, 0x0204, 0x0205)};
    file.Actions = *Few(rc::gen::build<ActActionFields>(rc::gen::set(&ActActionFields::Clips, Few(clip))));
    const auto name = rc::gen::exec([] {
      return *rc::gen::container<std::string>(*rc::gen::inRange(0, 41), rc::gen::inRange<char>(1, 127));
    });
    file.Events = *Few(name);
    for (std::size_t i = 0; i < file.Actions.size(); ++i) file.Intervals.push_back(*rc::gen::inRange(0, 400) / 4.0f);
    return file;
  });
}

}  // namespace tessaloom::gen
