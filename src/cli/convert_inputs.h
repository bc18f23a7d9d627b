#pragma once
// What `convert` works on: every sprite file its inputs name, in a fixed order, and
// where each one's outputs go under the output folder.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/common/result.h"

namespace tessaloom::cli {

struct ConvertInput {
  std::filesystem::path Sprite;  // as the user named it, or found in a folder they named
  std::filesystem::path Output;  // the path handed to ExportSpriteFile
  std::optional<Error> Problem;  // why it cannot be converted at all (missing, or clashing)
};

// The inputs in the order given, each folder's *.spr files (any case; `recursive`
// descends into subfolders) sorted by path. A file's output is its path relative to
// the folder that was given, or its own name when the file itself was given, under
// `outDir`, with `extension` in place of its own. An input that does not exist, a
// folder that cannot be listed, and a file whose output an earlier one already has
// are inputs with a Problem.
std::vector<ConvertInput> ListConvertInputs(const std::vector<std::string>& inputs, bool recursive,
                                            const std::filesystem::path& outDir, const std::string& extension);

}  // namespace tessaloom::cli
