#include "core/common/numbered_names.h"

namespace tessaloom {

std::filesystem::path NumberedFileName(const std::filesystem::path& chosen, int number,
                                       const std::string& extension) {
  std::string digits = std::to_string(number);
  if (number < 10) digits = "0" + digits;
  std::filesystem::path stem = chosen;
  stem.replace_extension();
  return stem.string() + "-" + digits + extension;
}

}  // namespace tessaloom
