#include "window_fixture.h"

#include <QApplication>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QStatusBar>

#include "core/common/file_io.h"
#include "core/sprite/spr_writer.h"
#include "support/bmp_bytes.h"

namespace tessaloom {

SprDocument TestSprite(int count) {
  std::vector<SprFrame> frames;
  for (int i = 0; i < count; ++i) frames.push_back(SolidFrame(3 + i, 2 + i, static_cast<std::uint8_t>(i + 1)));
  return SpriteOf(std::move(frames));
}

// Each test sprite's frames differ in size, so their pixels tell them apart.
bool SameImages(const SprDocument& actual, const SprDocument& expected) {
  return actual.Header.Palette == expected.Header.Palette &&
         std::ranges::equal(actual.Frames, expected.Frames, {}, &SprFrame::Pixels, &SprFrame::Pixels);
}

WindowTest::WindowTest() {
  m_settings = std::make_unique<QSettings>(PathOf("settings.ini"), QSettings::IniFormat);
  Restart();
}

WindowTest::~WindowTest() {
  EXPECT_TRUE(m_dialog.AllAnswersUsed()) << "a scripted dialog answer was never asked for";
  EXPECT_TRUE(m_messages.AllAnswersUsed()) << "a scripted answer to a question was never asked for";
}

void WindowTest::Restart() {
  if (m_window) m_window->StoreLayout(*m_settings);
  m_window.reset();
  m_session = std::make_unique<Session>(*m_settings);
  m_session->Playback().StopRealTime();
  m_window = std::make_unique<MainWindow>(*m_session, m_dialog, m_messages);
  m_window->RestoreLayout(*m_settings);
  m_window->show();
  QApplication::processEvents();
}

QString WindowTest::WriteBytes(const QString& name, std::span<const std::uint8_t> bytes) {
  EXPECT_TRUE(WriteFileAtomically(PathOf(name).toStdString(), bytes, "test").has_value());
  return PathOf(name);
}

QString WindowTest::WriteSprite(const QString& name, const SprDocument& sprite) {
  EXPECT_TRUE(Tool_Spr::SaveSprite(PathOf(name).toStdString(), sprite).has_value());
  return PathOf(name);
}

QString WindowTest::WriteBitmap(const QString& name, const std::vector<std::vector<std::uint8_t>>& rows, int bits) {
  BmpFields fields{.Width = static_cast<std::int32_t>(rows.front().size() * 8 / static_cast<std::size_t>(bits)),
                   .Height = static_cast<std::int32_t>(rows.size())};
  fields.BitsPerPixel = static_cast<std::uint16_t>(bits);
  if (bits == 8) fields.Table = GradientTable(256);
  fields.Rows = rows;
  return WriteBytes(name, BuildBmp(fields));
}

// A menu's objectName is also its menu action's.
QStringList WindowTest::Enabled(const QStringList& names) const {
  QStringList enabled;
  for (const QString& name : names) {
    const auto* action = m_window->findChild<QAction*>(name);
    if (action ? action->isEnabled() : m_window->findChild<QWidget*>(name)->isEnabled()) enabled << name;
  }
  return enabled;
}

void WindowTest::Drop(const QStringList& paths) {
  QMimeData data;
  QList<QUrl> urls;
  for (const QString& path : paths) urls << QUrl::fromLocalFile(path);
  data.setUrls(urls);
  QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&m_window->Canvas(), &enter);
  QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&m_window->Canvas(), &drop);
  QApplication::processEvents();
}

QString WindowTest::PanelText(int panel) const {
  return m_window->statusBar()->findChild<QLabel*>(QStringLiteral("FrameInfoPanel%1").arg(panel))->text();
}

std::vector<QString> WindowTest::RecentCaptions() const {
  std::vector<QString> captions;
  for (const QAction* item : Menu("OpenRecentFile")->actions())
    if (item->isVisible()) captions.push_back(item->text());
  return captions;
}

::testing::AssertionResult WindowTest::LastMessage(std::size_t count, const QString& title, const QString& text,
                                                  std::optional<MessageIcon> icon) const {
  const std::vector<Message>& shown = m_messages.Shown();
  if (count == 0 || shown.size() != count)
    return ::testing::AssertionFailure() << shown.size() << " messages, expected " << count;
  const Message& last = shown.back();
  if (last.Title != title || !last.Text.contains(text) || last.Icon != icon.value_or(last.Icon))
    return ::testing::AssertionFailure() << last.Title.toStdString() << ": " << last.Text.toStdString();
  return ::testing::AssertionSuccess();
}

}  // namespace tessaloom
