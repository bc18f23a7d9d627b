// tessaloom-cli export SPRITE OUTPUT --format F [--frame N | --all]: frames as
// bitmaps, still GIFs or PNGs, one frame or one numbered file per frame; or all
// frames as one animated GIF.

#include <CLI/CLI.hpp>
#include <map>
#include <memory>

#include "cli/cli.h"
#include "cli/commands.h"
#include "core/common/numbered_names.h"
#include "core/convert/converter_bmp.h"
#include "core/convert/converter_gif.h"
#include "core/convert/converter_png.h"
#include "cli/sprite_input.h"

namespace tessaloom::cli {
namespace {

enum class Format { Bmp, Gif, Gif87, Png, Anim, Anim87 };

const std::map<std::string, Format> kFormats{{"bmp", Format::Bmp},   {"gif", Format::Gif},
                                             {"gif87", Format::Gif87}, {"png", Format::Png},
                                             {"anim", Format::Anim}, {"anim87", Format::Anim87}};

constexpr const char* kExportErrorTitle = "Export error";

struct ExportOptions {
  std::string sprite;
  std::string output;
  Format format = Format::Bmp;
  int frame = 1;
  bool all = false;
  CLI::Option* frameOption = nullptr;
};

bool IsAnimated(Format format) { return format == Format::Anim || format == Format::Anim87; }

std::string ExtensionOf(Format format) {
  switch (format) {
    case Format::Bmp: return ".bmp";
    case Format::Png: return ".png";
    default: return ".gif";
  }
}

Status WriteStill(Format format, const SprHeader& header, const SprFrame& frame, const std::filesystem::path& path) {
  switch (format) {
    case Format::Bmp: return Converter_Bmp::WriteBmp(header, frame, path);
    case Format::Gif: return Converter_Gif::WriteGif(header, frame, path, true);
    case Format::Gif87: return Converter_Gif::WriteGif(header, frame, path, false);
    default: return Converter_Png::WriteIndexedPng(header, frame, path);
  }
}

// Writes every frame to its numbered file; on a failure removes the files this run
// wrote, so a failed command leaves no output behind.
Status WriteAllStills(const ExportOptions& options, const SprDocument& sprite) {
  std::vector<std::filesystem::path> written;
  for (int i = 0; i < sprite.Header.FrameCount; ++i) {
    const auto path = NumberedFileName(options.output, i + 1, ExtensionOf(options.format));
    const Status status = WriteStill(options.format, sprite.Header, sprite.Frames[i], path);
    if (!status) {
      std::error_code ignored;
      for (const auto& done : written) std::filesystem::remove(done, ignored);
      return status;
    }
    written.push_back(path);
  }
  return {};
}

Status WriteOneStill(const ExportOptions& options, const SprDocument& sprite) {
  if (options.frame < 1 || options.frame > sprite.Header.FrameCount) {
    return Error{.title = kExportErrorTitle,
                 .text = "The sprite has no frame " + std::to_string(options.frame) + ".",
                 .detail = "It has " + std::to_string(sprite.Header.FrameCount) + " frame(s)."};
  }
  return WriteStill(options.format, sprite.Header, sprite.Frames[options.frame - 1], options.output);
}

int Export(Console& console, const ExportOptions& options) {
  if (IsAnimated(options.format) && (options.all || options.frameOption->count() > 0)) {
    console.err << "tessaloom-cli: --frame and --all do not go with an animated format\n";
    return kExitUsage;
  }
  auto sprite = LoadSpriteFile(console, options.sprite);
  if (!sprite) return Report(console, sprite.error());
  Status status;
  if (IsAnimated(options.format)) {
    status = Converter_Gif::WriteAnimatedGif(sprite->Header, sprite->Frames, options.output,
                                             options.format == Format::Anim);
  } else {
    status = options.all ? WriteAllStills(options, *sprite) : WriteOneStill(options, *sprite);
  }
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
      ->transform(CLI::CheckedTransformer(kFormats, CLI::ignore_case));
  options->frameOption = command->add_option("--frame", options->frame, "Frame to write, 1-based (default 1)");
  CLI::Option* all = command->add_flag("--all", options->all, "Write every frame to its own numbered file");
  options->frameOption->excludes(all);
  WhenChosen(command, console, chosen, options, Export);
}

}  // namespace tessaloom::cli
