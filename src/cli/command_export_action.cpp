// tessaloom-cli export-action SPRITE ACT OUTPUT --action A [--format gif|png]
// [--zoom 3..11]: one action drawn the game's way, as a looping GIF or one RGBA PNG
// per clip.

#include <CLI/CLI.hpp>
#include <map>
#include <memory>

#include "cli/cli.h"
#include "cli/commands.h"
#include "core/actions/tool_act.h"
#include "core/operations/action_export.h"

namespace tessaloom::cli {
namespace {

const std::map<std::string, ActionExportFormat> kFormats{{"gif", ActionExportFormat::AnimatedGif},
                                                         {"png", ActionExportFormat::PngFrames}};

struct ExportActionOptions {
  std::string sprite;
  std::string act;
  std::string output;
  int action = 0;
  ActionExportFormat format = ActionExportFormat::AnimatedGif;
  int zoom = 3;
};

int ExportActionFiles(Console& console, const ExportActionOptions& options) {
  auto sprite = LoadSpriteFile(console, options.sprite);
  if (!sprite) return Report(console, sprite.error());
  auto act = Tool_Act::ReadActFile(options.act);
  if (!act) return Report(console, act.error());
  const Status status = ExportAction(*sprite, *act, options.action, options.zoom, options.format, options.output);
  return status ? kExitOk : Report(console, status.error());
}

}  // namespace

void AddExportActionCommand(CLI::App& app, Console& console, Command& chosen) {
  auto options = std::make_shared<ExportActionOptions>();
  CLI::App* command =
      app.add_subcommand("export-action", "Write an action as the game shows it: an animated GIF or PNG frames");
  command->add_option("SPRITE", options->sprite, "Sprite file")->required();
  command->add_option("ACT", options->act, "Action file")->required();
  command->add_option("OUTPUT", options->output, "Output file (numbered per clip with png)")->required();
  command->add_option("--action", options->action, "Action, 0-based")->required()->check(CLI::NonNegativeNumber);
  command->add_option("--format", options->format, "gif (one looping animation, default) or png (one per clip)")
      ->transform(CLI::CheckedTransformer(kFormats, CLI::ignore_case));
  command->add_option("--zoom", options->zoom, "Zoom step 3..11; the scale is step - 2 (default 3)")
      ->check(CLI::Range(3, 11));
  WhenChosen(command, console, chosen, options, ExportActionFiles);
}

}  // namespace tessaloom::cli
