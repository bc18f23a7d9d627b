// tessaloom-cli palette-export SPRITE OUTPUT.pal [--riff] and palette-import SPRITE
// PALETTE.pal [--riff] -o OUTPUT.spr: the sprite's palette in the raw 1024-byte form
// or the Microsoft RIFF form.

#include <CLI/CLI.hpp>
#include <memory>

#include "cli/cli.h"
#include "cli/commands.h"
#include "core/palette/tool_pal.h"
#include "core/sprite/spr_writer.h"

namespace tessaloom::cli {
namespace {

struct PaletteOptions {
  std::string sprite;
  std::string palette;
  std::string output;
  bool riff = false;

  Tool_Pal::PalForm Form() const { return riff ? Tool_Pal::PalForm::Riff : Tool_Pal::PalForm::Raw; }
};

int ExportPalette(Console& console, const PaletteOptions& options) {
  auto sprite = LoadSpriteFile(console, options.sprite);
  if (!sprite) return Report(console, sprite.error());
  const Status status = Tool_Pal::ExportPalette(options.palette, sprite->Header.Palette, options.Form());
  return status ? kExitOk : Report(console, status.error());
}

int ImportPalette(Console& console, const PaletteOptions& options) {
  auto sprite = LoadSpriteFile(console, options.sprite);
  if (!sprite) return Report(console, sprite.error());
  auto palette = Tool_Pal::ImportPalette(options.palette, options.Form());
  if (!palette) return Report(console, palette.error());
  Status status = Tool_Pal::CheckReplacement(sprite->Header.Palette, *palette);
  if (status) {
    sprite->Header.Palette = std::move(*palette);
    status = Tool_Spr::SaveSprite(options.output, *sprite);
  }
  return status ? kExitOk : Report(console, status.error());
}

void AddRiffFlag(CLI::App* command, PaletteOptions& options) {
  command->add_flag("--riff", options.riff, "Microsoft RIFF palette instead of the raw 1024-byte form");
}

}  // namespace

void AddPaletteCommands(CLI::App& app, Console& console, Command& chosen) {
  auto exportOptions = std::make_shared<PaletteOptions>();
  CLI::App* exporter = app.add_subcommand("palette-export", "Write the sprite's palette to a palette file");
  exporter->add_option("SPRITE", exportOptions->sprite, "Sprite file")->required();
  exporter->add_option("OUTPUT", exportOptions->palette, "Palette file to write (.pal)")->required();
  AddRiffFlag(exporter, *exportOptions);
  WhenChosen(exporter, console, chosen, exportOptions, ExportPalette);

  auto importOptions = std::make_shared<PaletteOptions>();
  CLI::App* importer = app.add_subcommand("palette-import", "Replace the sprite's palette and write the sprite");
  importer->add_option("SPRITE", importOptions->sprite, "Sprite file")->required();
  importer->add_option("PALETTE", importOptions->palette, "Palette file (.pal)")->required();
  importer->add_option("-o,--output", importOptions->output, "Sprite file to write")->required();
  AddRiffFlag(importer, *importOptions);
  WhenChosen(importer, console, chosen, importOptions, ImportPalette);
}

}  // namespace tessaloom::cli
