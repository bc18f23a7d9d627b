#include "cli/convert_inputs.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <system_error>

namespace tessaloom::cli {
namespace {

namespace fs = std::filesystem;

bool IsSpriteName(const fs::path& path) {
  std::string extension = path.extension().string();
  std::ranges::transform(extension, extension.begin(), [](unsigned char c) { return std::tolower(c); });
  return extension == ".spr";
}

Error InputError(const std::string& text, const std::error_code& code = {}) {
  return Error{.title = "Convert error", .text = text, .detail = code ? code.message() : ""};
}

// The sprite files of `folder`, sorted; a Problem when it cannot be listed.
template <class Iterator>
std::optional<Error> ListFolder(const fs::path& folder, std::vector<fs::path>& found) {
  std::error_code code;
  for (Iterator entry(folder, code), end; !code && entry != end; entry.increment(code)) {
    std::error_code ignored;
    if (entry->is_regular_file(ignored) && IsSpriteName(entry->path())) found.push_back(entry->path());
  }
  if (code) return InputError("Cannot list the folder.", code);
  std::ranges::sort(found);
  return std::nullopt;
}

}  // namespace

std::vector<ConvertInput> ListConvertInputs(const std::vector<std::string>& inputs, bool recursive,
                                            const fs::path& outDir, const std::string& extension) {
  std::vector<ConvertInput> listed;
  std::set<fs::path> outputs;
  const auto add = [&](const fs::path& sprite, const fs::path& relative) {
    fs::path output = (outDir / relative).replace_extension(extension).lexically_normal();
    ConvertInput input{.Sprite = sprite, .Output = output, .Problem = std::nullopt};
    if (!outputs.insert(output).second) {
      input.Problem = InputError("An earlier input is written to the same output \"" + output.string() + "\".");
    }
    listed.push_back(std::move(input));
  };
  for (const std::string& name : inputs) {
    const fs::path path(name);
    std::error_code code;
    if (!fs::is_directory(path, code)) {
      if (fs::exists(path, code)) {
        add(path, path.filename());
      } else {
        listed.push_back({.Sprite = path, .Output = {}, .Problem = InputError("No such file or folder.")});
      }
      continue;
    }
    std::vector<fs::path> found;
    const std::optional<Error> problem = recursive ? ListFolder<fs::recursive_directory_iterator>(path, found)
                                                   : ListFolder<fs::directory_iterator>(path, found);
    if (problem) {
      listed.push_back({.Sprite = path, .Output = {}, .Problem = problem});
      continue;
    }
    for (const fs::path& sprite : found) add(sprite, sprite.lexically_relative(path));
  }
  return listed;
}

}  // namespace tessaloom::cli
