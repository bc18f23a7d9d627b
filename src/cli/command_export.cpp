// tessaloom-cli export SPRITE OUTPUT --format F [--frame N | --all] [--compact]: frames
// as bitmaps, still GIFs or PNGs, one frame or one numbered file per frame; or all
// frames as one animated GIF. The 32-bit colour frames are numbered after the indexed
// ones and only PNG takes them. --compact writes smaller GIFs showing the same pictures.

#include <CLI/CLI.hpp>
#include <memory>

#include "cli/cli.h"
#include "cli/commands.h"
#include "cli/export_formats.h"
#include "core/operations/file_export.h"

namespace tessaloom::cli {
namespace {

struct ExportOptions {
  std::string sprite;
  std::string output;
  ExportFormat format = ExportFormat::Bmp;
  int frame = 1;
  bool all = false;
  bool compact = false;
  CLI::Option* frameOption = nullptr;
};

int Export(Console& console, const ExportOptions& options) {
  if (IsAnimated(options.format) && (options.all || options.frameOption->count() > 0)) {
    console.err << "tessaloom-cli: --frame and --all do not go with an animated format\n";
    return kExitUsage;
  }
  const std::optional<Converter_Gif::GifCoding> chosen = ChosenCoding(options.format, options.compact);
  if (!chosen) {
    console.err << kCompactRefusal << '\n';
    return kExitUsage;
  }
  const tessaloom::ExportOptions coding{.Coding = *chosen};
  if (IsAnimated(options.format) || options.all) {
    auto exported = ExportSpriteFile(options.sprite, options.format, options.output, coding);
    if (!exported) return Report(console, exported.error());
    if (exported->Warning) Report(console, *exported->Warning);
    return kExitOk;
  }
  auto sprite = LoadSpriteFile(console, options.sprite);
  if (!sprite) return Report(console, sprite.error());
  const Status status = ExportFrame(*sprite, options.frame, options.format, options.output, coding);
  return status ? kExitOk : Report(console, status.error());
}

}  // namespace

void AddExportCommand(CLI::App& app, Console& console, Command& chosen) {
  auto options = std::make_shared<ExportOptions>();
  CLI::App* command = app.add_subcommand("export", "Write frames as BMP, GIF or PNG files, or one animated GIF");
  command->add_option("SPRITE", options->sprite, "Sprite file")->required();
  command->add_option("OUTPUT", options->output, "Output file (numbered per frame with --all)")->required();
  command->add_option("--format", options->format, "bmp, gif (transparent GIF89a), gif87, png, anim or anim87")
      ->required()
      ->transform(CLI::CheckedTransformer(kExportFormats, CLI::ignore_case));
  options->frameOption = command->add_option(
      "--frame", options->frame, "Frame to write, 1-based, the 32-bit colour frames after the others (default 1)");
  CLI::Option* all = command->add_flag("--all", options->all, "Write every frame to its own numbered file");
  options->frameOption->excludes(all);
  command->add_flag("--compact", options->compact,
                    "GIFs with 12-bit codes and, in an animation, only what changed (smaller, same pictures)");
  WhenChosen(command, console, chosen, options, Export);
}

}  // namespace tessaloom::cli
