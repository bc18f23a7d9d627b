#include "gui/app/view_commands.h"

#include <QImage>
#include <cstring>

#include "gui/app/dialog.h"
#include "gui/app/messages.h"
#include "gui/app/session.h"
#include "gui/app/spr_operations.h"

namespace tessaloom {
namespace {

// The picture in the canvas's pixel layout; a QImage in Format_RGB32 has it already.
Image ToCanvasImage(const QImage& picture) {
  const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
  Image image(rgb.width(), rgb.height());
  for (int y = 0; y < rgb.height(); ++y) {
    std::memcpy(&image.At(0, y), rgb.constScanLine(y), static_cast<std::size_t>(rgb.width()) * sizeof(Argb));
  }
  return image;
}

}  // namespace

ViewCommands::ViewCommands(Session& session, SprOperations& window, Dialog& dialog, Messages& messages)
    : m_session(session), m_window(window), m_dialog(dialog), m_messages(messages) {}

void ViewCommands::ZoomIn() {
  m_session.ZoomIn();
  m_window.DrawFrame(m_session.CurrentFrame());
}

void ViewCommands::ZoomOut() {
  m_session.ZoomOut();
  m_window.DrawFrame(m_session.CurrentFrame());
}

void ViewCommands::SetTransparency(bool on) {
  m_session.SetTransparencyOn(on);
  m_window.Refresh();
}

void ViewCommands::SetBackground() {
  m_dialog.SetTitle(QStringLiteral("Set background ...."));
  m_dialog.SetFilter(QStringLiteral("Bmp File |*.bmp"));
  m_dialog.SetFileName(QString());
  m_dialog.ShowOpen();
  const QString path = m_dialog.FileName();
  if (path.isEmpty()) return;

  const QImage picture(path);
  if (picture.isNull()) {
    m_messages.Show(Message{.Text = QStringLiteral("The file \"%1\" is not a picture that can be read.").arg(path),
                            .Title = QStringLiteral("Background error"),
                            .Icon = MessageIcon::Exclamation});
    return;
  }
  m_session.SetBackgroundPicture(ToCanvasImage(picture));
  m_window.Refresh();
}

}  // namespace tessaloom
