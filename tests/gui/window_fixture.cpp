#include "window_fixture.h"

#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QStatusBar>
#include <QUrl>
#include <algorithm>

#include "gui/render/spr_bg.h"
#include "core/sprite/spr_writer.h"
#include "support/frame_builder.h"

namespace tessaloom {

Color TestPaletteColor(int index) {
  if (index == 0) return MakeColor(255, 0, 255);
  return MakeColor(static_cast<std::uint8_t>(index), static_cast<std::uint8_t>(255 - index),
                   static_cast<std::uint8_t>(index * 37));
}

std::vector<std::uint8_t> TestPalette() {
  std::vector<std::uint8_t> palette;
  for (int i = 0; i < kPaletteEntries; ++i) {
    const Color color = TestPaletteColor(i);
    palette.insert(palette.end(), {BlueOf(color), GreenOf(color), RedOf(color), 0});
  }
  return palette;
}

SprDocument TestSprite(int frameCount) {
  SprDocument document;
  document.Header.Palette = TestPalette();
  for (int i = 0; i < frameCount; ++i) {
    document.Frames.push_back(SolidFrame(3 + i, 2 + i, static_cast<std::uint8_t>(i % 255 + 1)));
  }
  document.Header.FrameCount = static_cast<std::int16_t>(frameCount);
  return document;
}

::testing::AssertionResult SameImages(const SprDocument& actual, const SprDocument& expected) {
  if (actual.Header.FrameCount != expected.Header.FrameCount || actual.Frames.size() != expected.Frames.size())
    return ::testing::AssertionFailure() << actual.Frames.size() << " frames, expected " << expected.Frames.size();
  for (std::size_t i = 0; i < actual.Frames.size(); ++i) {
    const SprFrame& a = actual.Frames[i];
    const SprFrame& e = expected.Frames[i];
    if (a.Width != e.Width || a.Height != e.Height || a.Pixels != e.Pixels)
      return ::testing::AssertionFailure() << "frame " << i + 1 << " differs";
  }
  if (actual.Header.Palette != expected.Header.Palette) return ::testing::AssertionFailure() << "palettes differ";
  return ::testing::AssertionSuccess();
}

WindowTest::WindowTest() {
  m_settings = std::make_unique<QSettings>(PathOf(QStringLiteral("settings.ini")), QSettings::IniFormat);
  Restart();
}

WindowTest::~WindowTest() {
  EXPECT_TRUE(m_dialog.AllAnswersUsed()) << "a scripted dialog answer was never asked for";
  EXPECT_TRUE(m_messages.AllAnswersUsed()) << "a scripted answer to a question was never asked for";
}

void WindowTest::Restart() {
  m_window.reset();
  m_session = std::make_unique<Session>(*m_settings);
  m_window = std::make_unique<Spr>(*m_session, m_dialog, m_messages);
  m_window->show();
  QApplication::processEvents();
}

QString WindowTest::PathOf(const QString& name) const {
  return QString::fromStdString((m_dir.Path() / name.toStdString()).string());
}

QString WindowTest::WriteSprite(const QString& name, const SprDocument& document) {
  const QString path = PathOf(name);
  const Status saved = Tool_Spr::SaveSprite(path.toStdString(), document);
  EXPECT_TRUE(saved.has_value()) << (saved ? "" : saved.error().text);
  return path;
}

QString WindowTest::WriteBytes(const QString& name, std::span<const std::uint8_t> bytes) {
  const QString path = PathOf(name);
  QFile file(path);
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
  return path;
}

void WindowTest::OpenByDialog(const QString& path) {
  m_dialog.AnswerFile(path);
  Action("OpenFile")->trigger();
}

void WindowTest::Drop(const QStringList& paths) {
  QMimeData data;
  QList<QUrl> urls;
  for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
  data.setUrls(urls);
  SprBG& canvas = m_window->Canvas();
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&canvas, &enter);
  QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&canvas, &drop);
  QApplication::processEvents();
}

QAction* WindowTest::Action(const char* name) const {
  auto* action = m_window->findChild<QAction*>(QString::fromLatin1(name));
  EXPECT_NE(action, nullptr) << name;
  return action;
}

QMenu* WindowTest::Menu(const char* name) const {
  auto* menu = m_window->findChild<QMenu*>(QString::fromLatin1(name));
  EXPECT_NE(menu, nullptr) << name;
  return menu;
}

QString WindowTest::PanelText(int panel) const {
  const QString name = QStringLiteral("FrameInfoPanel%1").arg(panel);
  const auto* label = m_window->findChild<QStatusBar*>(QStringLiteral("FrameInfo"))->findChild<QLabel*>(name);
  return label ? label->text() : QStringLiteral("<no panel %1>").arg(panel);
}

const Image& WindowTest::CanvasImage() const { return m_window->Canvas().Canvas(); }

Argb WindowTest::CanvasPixel(int x, int y) const { return CanvasImage().At(x, y); }

int WindowTest::CanvasCount(Color color) const {
  return static_cast<int>(std::count(CanvasImage().Pixels.begin(), CanvasImage().Pixels.end(), ToArgb(color)));
}

Message WindowTest::ShownMessage(std::size_t index) const {
  if (index >= m_messages.Shown().size()) {
    ADD_FAILURE() << "no message " << index;
    return {};
  }
  Message message = m_messages.Shown()[index];
  message.Detail.clear();
  return message;
}

::testing::AssertionResult WindowTest::LastMessage(std::size_t count, const QString& title, const QString& text) const {
  const std::vector<Message>& shown = m_messages.Shown();
  if (shown.size() != count) return ::testing::AssertionFailure() << shown.size() << " messages, expected " << count;
  if (count == 0) return ::testing::AssertionSuccess();
  if (shown.back().Title != title || !shown.back().Text.contains(text))
    return ::testing::AssertionFailure() << shown.back().Title.toStdString() << ": " << shown.back().Text.toStdString();
  return ::testing::AssertionSuccess();
}

std::vector<QString> WindowTest::RecentCaptions() const {
  std::vector<QString> captions;
  for (const QAction* item : Menu("OpenRecentFile")->actions()) {
    if (item->isVisible()) captions.push_back(item->text());
  }
  return captions;
}

}  // namespace tessaloom
