#include "gui/state/messages.h"

#include <QApplication>
#include <QFile>
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

// The core's words are ASCII; the paths in them are the file system's bytes, which
// FsPath took from QFile::encodeName, so they are read back the same way, never
// assumed to be UTF-8.
Message MessageFromError(const Error& error, MessageIcon icon) {
  return Message{.Text = QFile::decodeName(QByteArray::fromStdString(error.text)),
                 .Title = QFile::decodeName(QByteArray::fromStdString(error.title)),
                 .Icon = icon,
                 .Detail = QFile::decodeName(QByteArray::fromStdString(error.detail))};
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

QString SaveChangesText(const QString& name) { return QStringLiteral("Save changes to %1?").arg(name); }

SaveChoice QtMessages::AskSaveChanges(const QString& name) {
  QMessageBox box(QMessageBox::Question, QStringLiteral("Tessaloom+"), SaveChangesText(name),
                  QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QApplication::activeWindow());
  box.setDefaultButton(QMessageBox::Save);
  switch (box.exec()) {
    case QMessageBox::Save: return SaveChoice::Save;
    case QMessageBox::Discard: return SaveChoice::Discard;
    default: return SaveChoice::Cancel;
  }
}

}  // namespace tessaloom
