#pragma once
// Checks of the action reader, the BMP reader and the palette import, run by the
// fuzz targets "act", "bmp" and "palette" and by the regression test.

#include "core/actions/tool_act.h"
#include "core/convert/bmp_layout.h"
#include "core/convert/converter_bmp.h"
#include "fuzz/check_types.h"
#include "core/palette/tool_pal.h"

namespace tessaloom::fuzz {

inline Problem CheckAct(Input input) {
  const auto act = Tool_Act::ParseActFile(input);
  if (!act) return CheckRefusal(act.error(), Tool_Act::kFileErrorTitle);
  return std::nullopt;
}

// What a well-formed bitmap reads as is the bitmap reader's property.
inline Problem CheckBmp(Input input) {
  const auto image = Converter_Bmp::ParseBmp(input);
  if (!image) return CheckRefusal(image.error(), Converter_Bmp::kFormatTitle);
  return std::nullopt;
}

// Any bytes read as a palette in either form; what they read as is the palette tests'.
inline Problem CheckPalette(Input input) {
  Tool_Pal::ParsePalette(input, Tool_Pal::PalForm::Raw);
  Tool_Pal::ParsePalette(input, Tool_Pal::PalForm::Riff);
  return std::nullopt;
}

}  // namespace tessaloom::fuzz
