#include "gui/state/dialog.h"

#include <algorithm>

#include <QApplication>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QSettings>

namespace tessaloom {

QStringList QtNameFilters(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1].trimmed();
    patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
    filters << parts[i].trimmed() + QStringLiteral(" (") + patterns + QStringLiteral(")");
  }
  return filters;
}

void Dialog::Prepare(const QString& title, const QString& filter) {
  m_title = title;
  m_filter = filter;
  m_fileName.clear();
}

QString Dialog::AskOpen(const QString& title, const QString& filter) {
  Prepare(title, filter);
  ShowOpen();
  return m_fileName;
}

QString Dialog::AskSave(const QString& title, const QString& filter) {
  Prepare(title, filter);
  ShowSave();
  return m_fileName;
}

bool Dialog::AskColor(Color start) {
  m_color = start;
  return ShowColor();
}

bool QtDialog::ShowOpen() { return ShowFileDialog(false); }

bool QtDialog::ShowSave() { return ShowFileDialog(true); }

bool QtDialog::ShowFileDialog(bool save) {
  QFileDialog dialog(QApplication::activeWindow(), Title());
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
  const QStringList filters = QtNameFilters(Filter());
  dialog.setNameFilters(filters);
  if (FilterIndex() >= 1 && FilterIndex() <= filters.size()) dialog.selectNameFilter(filters[FilterIndex() - 1]);
  if (!FileName().isEmpty()) dialog.selectFile(FileName());
  const QString folderKey = QStringLiteral("Folders/") + Title();
  const QString folder = m_settings.value(folderKey).toString();
  if (!folder.isEmpty() && QDir(folder).exists()) dialog.setDirectory(folder);

  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    SetFileName(QString());
    return false;
  }
  SetFileName(dialog.selectedFiles().constFirst());
  m_settings.setValue(folderKey, QFileInfo(FileName()).absolutePath());
  SetFilterIndex(std::max(1, static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1));
  return true;
}

bool QtDialog::ShowColor() {
  const Color current = ChosenColor();
  const QColor chosen =
      QColorDialog::getColor(QColor(RedOf(current), GreenOf(current), BlueOf(current)), QApplication::activeWindow());
  if (!chosen.isValid()) return false;
  SetChosenColor(MakeColor(static_cast<std::uint8_t>(chosen.red()), static_cast<std::uint8_t>(chosen.green()),
                           static_cast<std::uint8_t>(chosen.blue())));
  return true;
}

}  // namespace tessaloom
