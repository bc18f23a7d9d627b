#pragma once
// What `convert` did with each input, and the report `--json` writes of it.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/common/result.h"

namespace tessaloom::cli {

struct ConvertedFile {
  std::filesystem::path Sprite;
  std::vector<std::filesystem::path> Outputs;  // empty when it failed
  std::optional<Error> Failure;
  std::optional<Error> Warning;  // a notice of the load; the file still converted
};

// "TEXT (DETAIL)", on one line.
std::string Reason(const Error& error);

// One JSON object: every input in order with its outputs, or its error, and the
// totals. Written atomically; the error names the report.
Status WriteConvertReport(const std::filesystem::path& path, const std::vector<ConvertedFile>& files,
                          double seconds);

}  // namespace tessaloom::cli
