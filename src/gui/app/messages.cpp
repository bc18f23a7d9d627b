#include "app/messages.h"

#include <QApplication>
#include <QMessageBox>

namespace tessaloom {
namespace {

QMessageBox::Icon QtIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Exclamation: return QMessageBox::Warning;
    case MessageIcon::None: break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

Message MessageFromError(const Error& error, MessageIcon icon) {
  return Message{.Text = QString::fromStdString(error.text),
                 .Title = QString::fromStdString(error.title),
                 .Icon = icon,
                 .Detail = QString::fromStdString(error.detail)};
}

void QtMessages::Show(const Message& message) {
  QMessageBox box(QtIcon(message.Icon), message.Title, message.Text, QMessageBox::Ok,
                  QApplication::activeWindow());
  if (!message.Detail.isEmpty()) box.setInformativeText(message.Detail);
  box.exec();
}

}  // namespace tessaloom
