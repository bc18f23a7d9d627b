#include "gui/window/export_commands.h"

#include <QCoreApplication>
#include <QApplication>
#include <QFileInfo>
#include <QProgressDialog>
#include <optional>

#include "core/operations/action_export.h"
#include "core/operations/sprite_operations.h"
#include "gui/state/dialog.h"
#include "gui/state/messages.h"
#include "gui/state/session.h"

namespace tessaloom {
namespace {

constexpr char kFrameFilter[] =
    "Bitmap |*.bmp|Gif Transparent (GIF89a)|*.gif|Gif Non Transparent (GIF87a)|*.gif|Png (transparent) |*.png";
constexpr char kAllFilter[] =
    "All - Bitmap |*.bmp|All - Gif Transparent (GIF89a)|*.gif|All - Gif Non Transparent (GIF87a)|*.gif|"
    "All- Gif Animated Transparent|*.gif|All - Gif Animated Non Transparent|*.gif|Png (transparent) |*.png";
constexpr char kActionFilter[] = "Animated Gif |*.gif|Png frames (transparent) |*.png";

// The formats in the order of each dialog's filter entries; none past the last.
std::optional<ExportFormat> FrameFormat(int filterIndex) {
  switch (filterIndex) {
    case 1: return ExportFormat::Bmp;
    case 2: return ExportFormat::Gif;
    case 3: return ExportFormat::Gif87;
    case 4: return ExportFormat::Png;
    default: return std::nullopt;
  }
}

std::optional<ExportFormat> AllFormat(int filterIndex) {
  switch (filterIndex) {
    case 4: return ExportFormat::AnimatedGif;
    case 5: return ExportFormat::AnimatedGif87;
    case 6: return ExportFormat::Png;
    default: return FrameFormat(filterIndex);
  }
}

bool IsGif(ExportFormat format) { return ExportExtension(format) == ".gif"; }

// A typed ".bmp", ".gif" or ".png" overrides the filter entry's format; a GIF entry
// keeps its own kind of GIF for ".gif", any other entry gives a transparent still
// one. Other names, and an entry past the last, keep the entry's choice.
std::optional<ExportFormat> FollowExtension(const QString& path, std::optional<ExportFormat> chosen) {
  if (!chosen) return chosen;
  const QString extension = QFileInfo(path).suffix().toLower();
  if (extension == QStringLiteral("bmp")) return ExportFormat::Bmp;
  if (extension == QStringLiteral("png")) return ExportFormat::Png;
  if (extension == QStringLiteral("gif") && !IsGif(*chosen)) return ExportFormat::Gif;
  return chosen;
}

// A typed ".gif" or ".png" picks the format; any other name takes the filter entry's.
std::optional<ActionExportFormat> ActionFormat(const QString& path, int filterIndex) {
  const QString extension = QFileInfo(path).suffix().toLower();
  if (extension == QStringLiteral("gif")) return ActionExportFormat::AnimatedGif;
  if (extension == QStringLiteral("png")) return ActionExportFormat::PngFrames;
  switch (filterIndex) {
    case 1: return ActionExportFormat::AnimatedGif;
    case 2: return ActionExportFormat::PngFrames;
    default: return std::nullopt;
  }
}

// An export of more frames than this shows its progress and can be cancelled.
constexpr int kProgressFrames = 50;

// Lets the windows repaint and answer between the frames of a long export.
bool RunWindowEvents() {
  QCoreApplication::processEvents();
  return true;
}

}  // namespace

ExportCommands::ExportCommands(Session& session, Dialog& dialog, Messages& messages)
    : m_session(session), m_dialog(dialog), m_messages(messages) {}

void ExportCommands::ExportFrame() {
  const SprDocument& sprite = m_session.Document().Sprite();
  const int number = m_session.Playback().SpriteFrame();
  if (number < 1 || number > m_session.Playback().FrameListCount()) {
    ShowNothingToExport();
    return;
  }
  const QString path = m_dialog.AskSave(QStringLiteral("Export Frame to..."), QString::fromLatin1(kFrameFilter));
  const std::optional<ExportFormat> format = FollowExtension(path, FrameFormat(m_dialog.FilterIndex()));
  if (path.isEmpty() || !format) return;
  Write([&] { return tessaloom::ExportFrame(sprite, number, *format, FsPath(path)); });
}

void ExportCommands::ExportAll() {
  const SprDocument& sprite = m_session.Document().Sprite();
  if (sprite.Frames.empty() && sprite.Header.Palette.empty()) {
    ShowNothingToExport();
    return;
  }
  const QString path = m_dialog.AskSave(QStringLiteral("Export all frames to..."), QString::fromLatin1(kAllFilter));
  const std::optional<ExportFormat> format = FollowExtension(path, AllFormat(m_dialog.FilterIndex()));
  if (path.isEmpty() || !format) return;
  const auto frames = static_cast<int>(sprite.Frames.size());
  if (frames <= kProgressFrames) {
    Write([&] { return ExportAllFrames(sprite, *format, FsPath(path), {.BeforeEachFrame = RunWindowEvents}); });
    return;
  }
  // Cancelling stops the export before its files are renamed into place, so nothing
  // new is left behind; the cancelled export is not reported as a failure.
  QProgressDialog progress(QStringLiteral("Exporting frames..."), QStringLiteral("Cancel"), 0, frames,
                           QApplication::activeWindow());
  progress.setObjectName(QStringLiteral("ExportProgress"));
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(0);
  int done = 0;
  const auto showProgress = [&] {
    progress.setValue(done++);
    QCoreApplication::processEvents();
    return !progress.wasCanceled();
  };
  Write([&] { return ExportAllFrames(sprite, *format, FsPath(path), {.BeforeEachFrame = showProgress}); },
        [&] { return progress.wasCanceled(); });
}

void ExportCommands::ExportAction() {
  const ActData* act = m_session.Actions().Act();
  if (act == nullptr) return;
  const QString path = m_dialog.AskSave(QStringLiteral("Export Action as ..."), QString::fromLatin1(kActionFilter));
  const std::optional<ActionExportFormat> format = ActionFormat(path, m_dialog.FilterIndex());
  if (path.isEmpty() || !format) return;
  const int action = m_session.Actions().CurrentAction();
  const int zoomStep = m_session.View().ZoomStep();
  Write([&] {
    return tessaloom::ExportAction(m_session.Document().Sprite(), *act, action, zoomStep, *format, FsPath(path));
  });
}

void ExportCommands::Write(const std::function<Status()>& write, const std::function<bool()>& cancelled) {
  m_session.SetActivity(Activity::Writing);
  const Status written = write();
  m_session.SetActivity(Activity::Idle);
  if (written || (cancelled && cancelled())) return;
  Message message = MessageFromError(written.error());
  message.Title = QString::fromLatin1(kExportErrorTitle);
  m_messages.Show(message);
}

void ExportCommands::ShowNothingToExport() {
  m_messages.Show(Message{.Text = QStringLiteral("There is nothing to export: no sprite is loaded."),
                          .Title = QString::fromLatin1(kExportErrorTitle),
                          .Icon = MessageIcon::Information});
}

}  // namespace tessaloom
