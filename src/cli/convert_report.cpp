#include "cli/convert_report.h"

#include <nlohmann/json.hpp>

#include "core/common/file_io.h"

namespace tessaloom::cli {

std::string Reason(const Error& error) {
  std::string text = error.detail.empty() ? error.text : error.text + " (" + error.detail + ")";
  for (char& c : text) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return text;
}

Status WriteConvertReport(const std::filesystem::path& path, const std::vector<ConvertedFile>& files,
                          double seconds) {
  using Json = nlohmann::ordered_json;
  Json inputs = Json::array();
  std::size_t failed = 0;
  for (const ConvertedFile& file : files) {
    Json input{{"Input", file.Sprite.string()}};
    if (file.Failure) {
      ++failed;
      input["Error"] = Reason(*file.Failure);
    } else {
      Json outputs = Json::array();
      for (const std::filesystem::path& output : file.Outputs) outputs.push_back(output.string());
      input["Outputs"] = std::move(outputs);
    }
    if (file.Warning) input["Warning"] = Reason(*file.Warning);
    inputs.push_back(std::move(input));
  }
  const Json report{{"Inputs", std::move(inputs)},
                    {"Totals", {{"Converted", files.size() - failed}, {"Failed", failed}, {"Seconds", seconds}}}};
  // Paths are bytes; what is not UTF-8 is replaced rather than aborting the report.
  const std::string text = report.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(text.data());
  return WriteFileAtomically(path, {bytes, text.size()}, "Report error");
}

}  // namespace tessaloom::cli
