#include "gui/app/export_commands.h"

#include <QCoreApplication>

#include "gui/app/dialog.h"
#include "gui/app/fs_path.h"
#include "gui/app/messages.h"
#include "gui/app/session.h"
#include "core/operations/sprite_operations.h"
#include "core/convert/converter_bmp.h"
#include "core/convert/converter_gif.h"
#include "core/convert/converter_png.h"

namespace tessaloom {
namespace {

constexpr char kExportErrorTitle[] = "Export error";

constexpr char kFrameFilter[] =
    "Bitmap |*.bmp|Gif Transparent (GIF89a)|*.gif|Gif Non Transparent (GIF87a)|*.gif|Png (transparent) |*.png";
constexpr char kAllFilter[] =
    "All - Bitmap |*.bmp|All - Gif Transparent (GIF89a)|*.gif|All - Gif Non Transparent (GIF87a)|*.gif|"
    "All- Gif Animated Transparent|*.gif|All - Gif Animated Non Transparent|*.gif|Png (transparent) |*.png";

enum class ImageFormat { None, Bmp, Gif, Gif87, Png, Animated, Animated87 };

// The formats in the order of each dialog's filter entries.
ImageFormat FrameFormat(int filterIndex) {
  switch (filterIndex) {
    case 1: return ImageFormat::Bmp;
    case 2: return ImageFormat::Gif;
    case 3: return ImageFormat::Gif87;
    case 4: return ImageFormat::Png;
    default: return ImageFormat::None;
  }
}

ImageFormat AllFormat(int filterIndex) {
  switch (filterIndex) {
    case 4: return ImageFormat::Animated;
    case 5: return ImageFormat::Animated87;
    case 6: return ImageFormat::Png;
    default: return FrameFormat(filterIndex);
  }
}

std::string ExtensionOf(ImageFormat format) {
  switch (format) {
    case ImageFormat::Bmp: return ".bmp";
    case ImageFormat::Png: return ".png";
    default: return ".gif";
  }
}

Status WriteStill(ImageFormat format, const SprHeader& header, const SprFrame& frame,
                  const std::filesystem::path& path) {
  switch (format) {
    case ImageFormat::Bmp: return Converter_Bmp::WriteBmp(header, frame, path);
    case ImageFormat::Gif: return Converter_Gif::WriteGif(header, frame, path, true);
    case ImageFormat::Gif87: return Converter_Gif::WriteGif(header, frame, path, false);
    case ImageFormat::Png: return Converter_Png::WriteIndexedPng(header, frame, path);
    default: return {};
  }
}

// Stops at the first file that cannot be written; the files before it stay.
Status WriteNumberedStills(ImageFormat format, const SprDocument& sprite, const std::filesystem::path& chosen) {
  for (std::size_t i = 0; i < sprite.Frames.size(); ++i) {
    const auto path = NumberedFileName(chosen, static_cast<int>(i) + 1, ExtensionOf(format));
    const Status written = WriteStill(format, sprite.Header, sprite.Frames[i], path);
    if (!written) return written;
  }
  return {};
}

// Lets the windows repaint and answer between the frames of a long export.
void RunWindowEvents() { QCoreApplication::processEvents(); }

}  // namespace

ExportCommands::ExportCommands(Session& session, Dialog& dialog, Messages& messages)
    : m_session(session), m_dialog(dialog), m_messages(messages) {}

QString ExportCommands::AskTarget(const char* title, const char* filter) {
  m_dialog.SetTitle(QString::fromLatin1(title));
  m_dialog.SetFilter(QString::fromLatin1(filter));
  m_dialog.SetFileName(QString());
  m_dialog.ShowSave();
  return m_dialog.FileName();
}

void ExportCommands::ExportFrame() {
  if (m_session.EditsHeldOff()) return;
  const SprDocument& sprite = m_session.Document();
  const int number = m_session.SpriteFrame();
  if (number < 1 || number > static_cast<int>(sprite.Frames.size())) {
    ShowNothingToExport();
    return;
  }
  const QString path = AskTarget("Export Frame to...", kFrameFilter);
  if (path.isEmpty()) return;

  m_session.SetActivity(Activity::Writing);
  const Status written = WriteStill(FrameFormat(m_dialog.FilterIndex()), sprite.Header,
                                    sprite.Frames[static_cast<std::size_t>(number) - 1], FsPath(path));
  m_session.SetActivity(Activity::Idle);
  if (!written) ShowError(written.error());
}

void ExportCommands::ExportAll() {
  if (m_session.EditsHeldOff()) return;
  const SprDocument& sprite = m_session.Document();
  if (sprite.Frames.empty() && sprite.Header.Palette.empty()) {
    ShowNothingToExport();
    return;
  }
  const QString path = AskTarget("Export all frames to...", kAllFilter);
  if (path.isEmpty()) return;

  const ImageFormat format = AllFormat(m_dialog.FilterIndex());
  m_session.SetActivity(Activity::Writing);
  Status written;
  if (format == ImageFormat::Animated || format == ImageFormat::Animated87) {
    written = Converter_Gif::WriteAnimatedGif(sprite.Header, sprite.Frames, FsPath(path),
                                              format == ImageFormat::Animated, RunWindowEvents);
  } else if (format != ImageFormat::None) {
    written = WriteNumberedStills(format, sprite, FsPath(path));
  }
  m_session.SetActivity(Activity::Idle);
  if (!written) ShowError(written.error());
}

void ExportCommands::ShowNothingToExport() {
  m_messages.Show(Message{.Text = QStringLiteral("There is nothing to export: no sprite is loaded."),
                          .Title = QString::fromLatin1(kExportErrorTitle),
                          .Icon = MessageIcon::Information});
}

void ExportCommands::ShowError(const Error& error) {
  Message message = MessageFromError(error);
  message.Title = QString::fromLatin1(kExportErrorTitle);
  m_messages.Show(message);
}

}  // namespace tessaloom
