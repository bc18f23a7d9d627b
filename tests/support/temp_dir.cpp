#include "support/temp_dir.h"

#include <algorithm>
#include <cstdlib>

namespace tessaloom {

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "tessaloom-test-XXXXXX").string();
  m_path = ::mkdtemp(pattern.data());
}

TempDir::~TempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(m_path, ignored);
}

std::vector<std::string> TempDir::ListNames(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace tessaloom
