#pragma once
// A path the user chose, in the form the core's file functions take.

#include <QFile>
#include <QString>
#include <filesystem>

namespace tessaloom {

inline std::filesystem::path FsPath(const QString& path) {
  return std::filesystem::path(QFile::encodeName(path).toStdString());
}

}  // namespace tessaloom
