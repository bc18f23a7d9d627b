#pragma once
// Checks of the action reader, the BMP reader and the palette import, run by the
// fuzz targets "act", "bmp" and "palette" and by the regression test.

#include "core/actions/tool_act.h"
#include "core/convert/bmp_layout.h"
#include "core/convert/converter_bmp.h"
#include "fuzz/check_types.h"
#include "core/palette/tool_pal.h"
#include "core/sprite/palette.h"

namespace tessaloom::fuzz {

template <class Counted>
bool Holds(const std::vector<Counted>& elements, std::int16_t count) {
  return count >= 0 && elements.size() == static_cast<std::size_t>(count);
}

// After a read every vector holds exactly its count of elements. What each version
// holds is checked field by field by the action file property.
inline Problem CheckActContents(const ActData& act) {
  if (!Holds(act.Actions, act.ActionCount)) return std::string("the actions differ from the action count");
  for (const ActAction& action : act.Actions) {
    if (!Holds(action.Clips, action.ClipCount)) return std::string("the clips differ from the clip count");
    for (const ActClip& clip : action.Clips) {
      if (!Holds(clip.Layers, clip.LayerCount)) return std::string("the layers differ from the layer count");
      for (const ActLayer& layer : clip.Layers) {
        if (layer.ExtraCount != 0 || layer.ExtraX != 0 || layer.ExtraY != 0) return std::string("a layer with an anchor");
      }
    }
  }
  if (act.Intervals.size() > act.Actions.size()) return std::string("more intervals than actions");
  return std::nullopt;
}

inline Problem CheckAct(Input input) {
  const auto act = Tool_Act::ParseActFile(input);
  if (!act) {
    if (act.error().text != Tool_Act::kFileErrorText) return "an action file refused with \"" + act.error().text + "\"";
    return CheckRefusal(act.error(), Tool_Act::kFileErrorTitle);
  }
  return CheckActContents(*act);
}

// What a bitmap read holds whatever the file; that a written frame reads back is the
// bitmap reader's property.
inline Problem CheckBmp(Input input) {
  const auto image = Converter_Bmp::ParseBmp(input);
  if (!image) return CheckRefusal(image.error(), Converter_Bmp::kFormatTitle);
  if (image->Width < 0 || image->Height < 0) return std::string("a bitmap of negative size");
  const std::size_t stored =
      static_cast<std::size_t>(RowStride(image->Width)) * static_cast<std::size_t>(image->Height);
  if (image->Pixels.size() != stored) return std::string("a bitmap's pixels are not its rows");
  if (image->ColorTable.size() != static_cast<std::size_t>(kPaletteBytes)) return std::string("a short colour table");
  return std::nullopt;
}

// Every whole entry of the file gives one entry; a trailing part keeps its bytes and
// gains a 0. Export and import of whole entries is the palette file property's.
inline Problem CheckPaletteForm(Input input, Tool_Pal::PalForm form) {
  const std::size_t header = form == Tool_Pal::PalForm::Riff ? Tool_Pal::kRiffHeaderSize : 0;
  const std::size_t entryBytes = input.size() < header ? 0 : input.size() - header;
  const std::size_t expected = entryBytes / 4 * 4 + (entryBytes % 4 == 0 ? 0 : entryBytes % 4 + 1);
  if (Tool_Pal::ParsePalette(input, form).size() != expected) return std::string("a palette of the wrong size");
  return std::nullopt;
}

inline Problem CheckPalette(Input input) {
  if (auto problem = CheckPaletteForm(input, Tool_Pal::PalForm::Raw)) return problem;
  return CheckPaletteForm(input, Tool_Pal::PalForm::Riff);
}

}  // namespace tessaloom::fuzz
