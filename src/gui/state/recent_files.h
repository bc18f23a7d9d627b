#pragma once
// The recently opened sprites: full paths, oldest first, at most five, each once. The list is stored in the settings on every change and read back at start,
// so it outlives the run.

#include <QObject>
#include <QStringList>

class QSettings;

namespace tessaloom {

class RecentFiles : public QObject {
  Q_OBJECT

 public:
  static constexpr int kMaxEntries = 5;

  explicit RecentFiles(QSettings& settings, QObject* parent = nullptr);

  const QStringList& Paths() const { return m_paths; }

  // Makes `path` the newest entry, moving it there when it is listed already; with
  // five entries, the oldest drops out.
  void Add(const QString& path);

 signals:
  void changed();

 private:
  QSettings& m_settings;
  QStringList m_paths;
};

}  // namespace tessaloom
