#pragma once
// A fresh folder for one test, removed with everything in it when the test ends.

#include <filesystem>
#include <string>
#include <vector>

namespace tessaloom {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& Path() const { return m_path; }
  std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

  // The names of the entries of `folder`, sorted.
  static std::vector<std::string> ListNames(const std::filesystem::path& folder);

 private:
  std::filesystem::path m_path;
};

}  // namespace tessaloom
