// tessaloom_bench_sprites FOLDER COUNT FRAMES SIDE: writes COUNT run-length coded
// sprite files (sprite-0001.spr, …) of FRAMES figure frames of SIDE x SIDE into
// FOLDER, for timing batch conversions. Each file starts its animation at its own
// frame, so that no two files are alike.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <string>

#include "core/sprite/spr_writer.h"
#include "figures.h"

int main(int argc, char** argv) {
  using namespace tessaloom;
  if (argc != 5) {
    std::fprintf(stderr, "usage: %s FOLDER COUNT FRAMES SIDE\n", argv[0]);
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  const int count = std::stoi(argv[2]), frames = std::stoi(argv[3]), side = std::stoi(argv[4]);
  std::filesystem::create_directories(folder);
  SprDocument sprite = bench::FigureSprite(side, frames);
  sprite.Header.Compressed = 1;
  for (int i = 1; i <= count; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "sprite-%04d.spr", i);
    std::ranges::rotate(sprite.Frames, sprite.Frames.begin() + 1);
    if (Status saved = Tool_Spr::SaveSprite(folder / name, sprite); !saved) {
      std::fprintf(stderr, "%s\n", saved.error().text.c_str());
      return 1;
    }
  }
  return 0;
}
