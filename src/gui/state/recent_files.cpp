#include "gui/state/recent_files.h"

#include <QSettings>

namespace tessaloom {
namespace {

const QString kSettingsKey = QStringLiteral("RecentFiles");

}  // namespace

RecentFiles::RecentFiles(QSettings& settings, QObject* parent)
    : QObject(parent),
      m_settings(settings), m_paths(settings.value(kSettingsKey).toStringList()) {
  // A list edited by hand may be longer; its newest entries are the ones to keep.
  while (m_paths.size() > kMaxEntries) m_paths.removeFirst();
}

void RecentFiles::Add(const QString& path) {
  m_paths.removeAll(path);
  m_paths.append(path);
  while (m_paths.size() > kMaxEntries) m_paths.removeFirst();
  m_settings.setValue(kSettingsKey, m_paths);
  m_settings.sync();
  emit changed();
}

}  // namespace tessaloom
