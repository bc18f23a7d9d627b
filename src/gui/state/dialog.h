#pragma once
// The one file and colour dialog every command shares. A command sets the title, the
// filter and an empty file name (or the colour to start on), shows the dialog, then
// reads back the file name (empty when the user cancelled), the 1-based index of the
// filter pair the user picked, or the colour. The commands choose a file's format by that index unless the
// name or the content says it: the exports follow a typed extension, palette import
// the file's content.
//
// A filter is a list of description and pattern pairs joined by vertical bars:
// "Bitmap |*.bmp|Gif |*.gif". Tests replace the Qt dialogs by a scripted Dialog.

#include <QFile>
#include <QString>
#include <QStringList>
#include <filesystem>

#include "core/sprite/palette.h"

class QSettings;
class QWidget;

namespace tessaloom {

class Dialog {
 public:
  virtual ~Dialog() = default;

  void SetTitle(const QString& title) { m_title = title; }
  void SetFilter(const QString& filter) { m_filter = filter; }
  void SetFileName(const QString& fileName) { m_fileName = fileName; }

  const QString& Title() const { return m_title; }
  const QString& Filter() const { return m_filter; }
  const QString& FileName() const { return m_fileName; }
  int FilterIndex() const { return m_filterIndex; }
  Color ChosenColor() const { return m_color; }

  // Sets the title, the filter and an empty file name, shows the open or the save
  // dialog and returns the chosen name, empty when the user cancelled.
  QString AskOpen(const QString& title, const QString& filter);
  QString AskSave(const QString& title, const QString& filter);
  // Shows the colour dialog on `start`; false when the user cancelled.
  bool AskColor(Color start);

  // Each returns false when the user cancelled: the file name is then empty and the
  // colour stays what it was.
  virtual bool ShowOpen() = 0;
  virtual bool ShowSave() = 0;
  virtual bool ShowColor() = 0;

 protected:
  void SetFilterIndex(int index) { m_filterIndex = index; }
  void SetChosenColor(Color color) { m_color = color; }

 private:
  void Prepare(const QString& title, const QString& filter);

  QString m_title;
  QString m_filter;
  QString m_fileName;
  int m_filterIndex = 1;
  Color m_color = 0;
};

// The filter as Qt's file dialogs take it: "Bitmap (*.bmp)", one entry per pair.
QStringList QtNameFilters(const QString& filter);

// A path the user chose, in the form the core's file functions take: the bytes the
// file system knows it by, whatever their encoding.
inline std::filesystem::path FsPath(const QString& path) {
  return std::filesystem::path(QFile::encodeName(path).toStdString());
}

// The dialog backed by Qt's file and colour dialogs, shown over the active window.
// Each file dialog (told apart by its title) opens in the folder it was last left in,
// kept in the settings between runs.
class QtDialog : public Dialog {
 public:
  explicit QtDialog(QSettings& settings) : m_settings(settings) {}

  bool ShowOpen() override;
  bool ShowSave() override;
  bool ShowColor() override;

 private:
  bool ShowFileDialog(bool save);

  QSettings& m_settings;
};

}  // namespace tessaloom
