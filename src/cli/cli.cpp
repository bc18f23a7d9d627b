#include "cli/cli.h"

#include <CLI/CLI.hpp>
#include <ostream>

#include "cli/commands.h"
#include "core/sprite/spr_reader.h"

namespace tessaloom::cli {
namespace {

std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return text;
}

// One line on stderr: "tessaloom-cli: TITLE: TEXT (DETAIL)".
void PrintError(Console& console, const Error& error) {
  std::string line = "tessaloom-cli: " + error.title + ": " + error.text;
  if (!error.detail.empty()) line += " (" + error.detail + ")";
  console.err << OneLine(line) << '\n';
}

}  // namespace

int Report(Console& console, const Error& error) {
  PrintError(console, error);
  return kExitBadInput;
}

Result<SprDocument> LoadSpriteFile(Console& console, const std::filesystem::path& path) {
  auto loaded = Tool_Spr::LoadSprite(path);
  if (!loaded) return loaded.error();
  if (loaded->Warning) PrintError(console, *loaded->Warning);
  return std::move(loaded->Document);
}

int Run(int argc, const char* const* argv, std::ostream& out, std::ostream& err) {
  Console console{out, err};
  Command chosen;
  CLI::App app{"Batch work on sprite (.spr), action (.act) and palette (.pal) files.", "tessaloom-cli"};
  app.require_subcommand(1);
  AddInfoCommand(app, console, chosen);
  AddExportCommand(app, console, chosen);
  AddExportActionCommand(app, console, chosen);
  AddSaveCommand(app, console, chosen);
  AddAddFrameCommand(app, console, chosen);
  AddPaletteCommands(app, console, chosen);
  AddRenderCommand(app, console, chosen);
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& help) {
    return app.exit(help, out, err);
  } catch (const CLI::CallForAllHelp& help) {
    return app.exit(help, out, err);
  } catch (const CLI::ParseError& error) {
    app.exit(error, out, err);
    return kExitUsage;
  }
  return chosen();
}

}  // namespace tessaloom::cli
