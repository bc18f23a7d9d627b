#pragma once
// The commands of tessaloom-cli. Each Add…Command function adds its subcommand to
// the application; when the user picks it, its callback stores in `chosen` the work
// to run once parsing has succeeded.

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <memory>

#include "core/common/result.h"
#include "core/sprite/spr_document.h"

#include <CLI/App.hpp>

namespace tessaloom::cli {

struct Console {
  std::ostream& out;
  std::ostream& err;
};

// The work of the chosen command; returns the exit status.
using Command = std::function<int()>;

void AddInfoCommand(CLI::App& app, Console& console, Command& chosen);
void AddExportCommand(CLI::App& app, Console& console, Command& chosen);
void AddExportActionCommand(CLI::App& app, Console& console, Command& chosen);
void AddSaveCommand(CLI::App& app, Console& console, Command& chosen);
void AddAddFrameCommand(CLI::App& app, Console& console, Command& chosen);
void AddPaletteCommands(CLI::App& app, Console& console, Command& chosen);
void AddRenderCommand(CLI::App& app, Console& console, Command& chosen);

// Makes `command`, when the user picks it, choose `work(console, options)` as the
// work to run.
template <class Options, class Work>
void WhenChosen(CLI::App* command, Console& console, Command& chosen, std::shared_ptr<Options> options,
                Work work);

// Prints the error as one line on stderr and returns the bad-input exit status.
int Report(Console& console, const Error& error);

// Loads the sprite at `path`. A decoding notice (a frame that could not be decoded
// and loads empty) is printed on stderr and the load still succeeds.
Result<SprDocument> LoadSpriteFile(Console& console, const std::filesystem::path& path);

template <class Options, class Work>
void WhenChosen(CLI::App* command, Console& console, Command& chosen, std::shared_ptr<Options> options,
                Work work) {
  command->callback([&console, &chosen, options, work] {
    chosen = [&console, options, work] { return work(console, *options); };
  });
}

}  // namespace tessaloom::cli
