#pragma once
// The view as the user left it: Preview Mode, the zoom step, transparency, the
// checkerboard and the background colour. Given back to the view at start, and
// stored in the settings whenever one of them changes.

#include <QObject>

class QSettings;

namespace tessaloom {

class ViewState;

class ViewMemory : public QObject {
  Q_OBJECT

 public:
  ViewMemory(QSettings& settings, ViewState& view, QObject* parent = nullptr);

 private:
  void Restore();
  void Store();

  QSettings& m_settings;
  ViewState& m_view;
};

}  // namespace tessaloom
