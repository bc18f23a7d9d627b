#include "gui/state/view_memory.h"

#include <QSettings>

#include "gui/state/view_state.h"

namespace tessaloom {
namespace {

const QString kPreviewModeKey = QStringLiteral("PreviewMode");
const QString kZoomKey = QStringLiteral("View/ZoomStep");
const QString kTransparencyKey = QStringLiteral("View/Transparency");
const QString kCheckerboardKey = QStringLiteral("View/Checkerboard");
const QString kBackgroundKey = QStringLiteral("View/BackgroundColor");

}  // namespace

ViewMemory::ViewMemory(QSettings& settings, ViewState& view, QObject* parent)
    : QObject(parent), m_settings(settings), m_view(view) {
  Restore();
  connect(&view, &ViewState::previewModeChanged, this, &ViewMemory::Store);
  connect(&view, &ViewState::zoomChanged, this, &ViewMemory::Store);
  connect(&view, &ViewState::changed, this, &ViewMemory::Store);
}

// Values that are missing or out of range leave the view's own.
void ViewMemory::Restore() {
  m_view.SetPreviewMode(m_settings.value(kPreviewModeKey, false).toBool());
  const int step = m_settings.value(kZoomKey, kMinZoomStep).toInt();
  if (step > kMinZoomStep && step <= kMaxZoomStep) m_view.RestoreZoomStep(step);
  m_view.SetTransparencyOn(m_settings.value(kTransparencyKey, true).toBool());
  m_view.SetCheckerboard(m_settings.value(kCheckerboardKey, false).toBool());
  bool isNumber = false;
  const uint color = m_settings.value(kBackgroundKey).toUInt(&isNumber);
  if (isNumber && color <= 0xFFFFFFu) m_view.SetBackgroundColor(color);
}

void ViewMemory::Store() {
  m_settings.setValue(kPreviewModeKey, m_view.PreviewMode());
  m_settings.setValue(kZoomKey, m_view.ZoomStep());
  m_settings.setValue(kTransparencyKey, m_view.TransparencyOn());
  m_settings.setValue(kCheckerboardKey, m_view.Checkerboard());
  m_settings.setValue(kBackgroundKey, static_cast<uint>(m_view.BackgroundColor()));
  m_settings.sync();
}

}  // namespace tessaloom
