// tessaloom-cli save SPRITE OUTPUT.spr and add-frame SPRITE BITMAP.bmp --after N -o
// OUTPUT.spr: a sprite read and written again, or with a bitmap inserted as a frame.

#include <CLI/CLI.hpp>
#include <memory>

#include "cli/cli.h"
#include "cli/commands.h"
#include "core/convert/converter_bmp.h"
#include "core/operations/sprite_operations.h"
#include "core/sprite/spr_writer.h"

namespace tessaloom::cli {
namespace {

struct SaveOptions {
  std::string sprite;
  std::string output;
};

struct AddFrameOptions {
  std::string sprite;
  std::string bitmap;
  int after = 0;
  std::string output;
};

int Save(Console& console, const SaveOptions& options) {
  auto sprite = LoadSpriteFile(console, options.sprite);
  if (!sprite) return Report(console, sprite.error());
  const Status saved = Tool_Spr::SaveSprite(options.output, *sprite);
  return saved ? kExitOk : Report(console, saved.error());
}

int AddFrame(Console& console, const AddFrameOptions& options) {
  auto sprite = LoadSpriteFile(console, options.sprite);
  if (!sprite) return Report(console, sprite.error());
  auto bitmap = Converter_Bmp::ReadBmp(options.bitmap);
  if (!bitmap) return Report(console, bitmap.error());
  Status status = InsertBitmapFrame(*sprite, options.after, std::move(*bitmap));
  if (status) status = Tool_Spr::SaveSprite(options.output, *sprite);
  return status ? kExitOk : Report(console, status.error());
}

}  // namespace

void AddSaveCommand(CLI::App& app, Console& console, Command& chosen) {
  auto options = std::make_shared<SaveOptions>();
  CLI::App* command = app.add_subcommand("save", "Read a sprite and write it again as a run-length coded sprite");
  command->add_option("SPRITE", options->sprite, "Sprite file")->required();
  command->add_option("OUTPUT", options->output, "Sprite file to write")->required();
  WhenChosen(command, console, chosen, options, Save);
}

void AddAddFrameCommand(CLI::App& app, Console& console, Command& chosen) {
  auto options = std::make_shared<AddFrameOptions>();
  CLI::App* command = app.add_subcommand("add-frame", "Insert an 8-bit bitmap as a new frame");
  command->add_option("SPRITE", options->sprite, "Sprite file")->required();
  command->add_option("BITMAP", options->bitmap, "8-bit bitmap (.bmp)")->required();
  command->add_option("--after", options->after, "Insert after this 1-based frame (0 inserts first)")->required();
  command->add_option("-o,--output", options->output, "Sprite file to write")->required();
  WhenChosen(command, console, chosen, options, AddFrame);
}

}  // namespace tessaloom::cli
