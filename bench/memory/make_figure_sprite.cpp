// Writes a sprite file of figure frames for the memory bench (bench/memory/peak.sh):
//   tessaloom_figure_sprite OUTPUT FRAMES SIDE

#include <cstdio>
#include <string>

#include "core/sprite/spr_writer.h"
#include "figures.h"

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s OUTPUT FRAMES SIDE\n", argv[0]);
    return 2;
  }
  const int frames = std::stoi(argv[2]), side = std::stoi(argv[3]);
  const tessaloom::Status saved =
      tessaloom::Tool_Spr::SaveSprite(argv[1], tessaloom::bench::FigureSprite(side, frames));
  if (!saved) {
    std::fprintf(stderr, "%s\n", saved.error().text.c_str());
    return 1;
  }
  return 0;
}
