#include "gui/state/messages.h"

#include <QApplication>
#include <QMessageBox>

namespace tessaloom {
namespace {

QMessageBox::Icon QtIcon(MessageIcon icon) {
  switch (icon) {
    case MessageIcon::Information: return QMessageBox::Information;
    case MessageIcon::Exclamation: return QMessageBox::Warning;
    case MessageIcon::Question: return QMessageBox::Question;
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

bool QtMessages::Ask(const Message& question) {
  QMessageBox box(QtIcon(question.Icon), question.Title, question.Text, QMessageBox::Yes | QMessageBox::No,
                  QApplication::activeWindow());
  box.setDefaultButton(QMessageBox::No);
  if (!question.Detail.isEmpty()) box.setInformativeText(question.Detail);
  return box.exec() == QMessageBox::Yes;
}

}  // namespace tessaloom
