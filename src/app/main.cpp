// tessaloom: the desktop viewer and editor of sprites. An optional argument names a
// sprite to open at start, as a desktop's "open with" passes it. --screenshot
// renders the window to a PNG file once the sprite is shown, then quits (used for
// the documentation's picture).

#include <QApplication>
#include <QCommandLineParser>
#include <QSettings>
#include <QTimer>

#include "gui/state/dialog.h"
#include "gui/state/messages.h"
#include "gui/state/session.h"
#include "gui/widgets/chrome.h"
#include "gui/window/main_window.h"

namespace {

// Long enough for the window system to map and paint the window.
constexpr int kScreenshotDelayMs = 500;

struct Options {
  QString spritePath;
  QString screenshotPath;
};

Options ParseOptions(const QApplication& app) {
  QCommandLineParser parser;
  parser.setApplicationDescription(QStringLiteral("Viewer and editor of sprite, action and palette files."));
  parser.addHelpOption();
  parser.addVersionOption();
  const QCommandLineOption screenshot(QStringLiteral("screenshot"),
                                      QStringLiteral("Save a picture of the main window to <png> and quit."),
                                      QStringLiteral("png"));
  parser.addOption(screenshot);
  parser.addPositionalArgument(QStringLiteral("sprite"), QStringLiteral("A .spr file to open."), QStringLiteral("[sprite]"));
  parser.process(app);
  const QStringList arguments = parser.positionalArguments();
  return Options{arguments.value(0), parser.value(screenshot)};
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setOrganizationName(QStringLiteral("Tessaloom"));
  QApplication::setApplicationName(QStringLiteral("tessaloom"));
  QApplication::setApplicationVersion(QStringLiteral(TESSALOOM_VERSION));
  QApplication::setWindowIcon(tessaloom::AppIcon());
  const Options options = ParseOptions(app);

  QSettings settings;
  tessaloom::Session session(settings);
  tessaloom::QtDialog dialog(settings);
  tessaloom::QtMessages messages;
  tessaloom::MainWindow window(session, dialog, messages);
  // The window opens where and as large as it was left.
  const QString geometryKey = QStringLiteral("Window/Geometry");
  window.restoreGeometry(settings.value(geometryKey).toByteArray());
  window.show();
  if (!options.spritePath.isEmpty()) window.OpenPath(options.spritePath);

  if (!options.screenshotPath.isEmpty()) {
    QTimer::singleShot(kScreenshotDelayMs, &window, [&window, &options] {
      const bool saved = window.grab().save(options.screenshotPath, "PNG");
      QApplication::exit(saved ? 0 : 1);
    });
  }
  const int status = app.exec();
  settings.setValue(geometryKey, window.saveGeometry());
  return status;
}
