#include "cli.h"

#include <CLI/CLI.hpp>

namespace tessaloom::cli {

int Run(int argc, char** argv) {
  CLI::App app{"tessaloom-cli: batch work on sprite, action and palette files"};
  app.require_subcommand(1);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    return app.exit(error) == 0 ? kExitOk : kExitUsage;
  }
  return kExitOk;
}

}  // namespace tessaloom::cli
