#include "window_fixture.h"

#include <QApplication>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <algorithm>

#include "core/render/view_settings.h"
#include "core/sprite/spr_writer.h"
#include "gui/widgets/action_tree.h"
#include "gui/widgets/canvas_view.h"
#include "support/bmp_bytes.h"

namespace tessaloom {

Color TestColor(int index) {
  if (index == 0) return MakeColor(255, 0, 255);
  return MakeColor(static_cast<std::uint8_t>(index), static_cast<std::uint8_t>(255 - index),
                   static_cast<std::uint8_t>(index * 37));
}

std::vector<std::uint8_t> TestPalette() {
  std::vector<std::uint8_t> palette;
  for (int i = 0; i < kPaletteEntries; ++i) {
    const Color color = TestColor(i);
    palette.insert(palette.end(), {BlueOf(color), GreenOf(color), RedOf(color), 0});
  }
  return palette;
}

SprDocument TestSprite(int count) {
  SprDocument sprite;
  sprite.Header.Palette = TestPalette();
  for (int i = 0; i < count; ++i) sprite.Frames.push_back(SolidFrame(3 + i, 2 + i, static_cast<std::uint8_t>(i + 1)));
  sprite.Header.FrameCount = static_cast<std::int16_t>(count);
  return sprite;
}

bool SameImages(const SprDocument& actual, const SprDocument& expected) {
  const auto sameFrame = [](const SprFrame& a, const SprFrame& e) {
    return a.Width == e.Width && a.Height == e.Height && a.Pixels == e.Pixels;
  };
  return actual.Header.Palette == expected.Header.Palette &&
         std::equal(actual.Frames.begin(), actual.Frames.end(), expected.Frames.begin(), expected.Frames.end(),
                    sameFrame);
}

ActFileFields ActionsOfClips(std::initializer_list<int> clipCounts) {
  ActFileFields file;
  for (const int clips : clipCounts) {
    ActActionFields action;
    action.Clips.assign(static_cast<std::size_t>(clips), ActClipFields{.Layers = {ActLayerFields{}}});
    file.Actions.push_back(action);
  }
  return file;
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
  m_window.reset();
  m_session = std::make_unique<Session>(*m_settings);
  m_session->Playback().StopRealTime();
  m_window = std::make_unique<MainWindow>(*m_session, m_dialog, m_messages);
  m_window->show();
  QApplication::processEvents();
}

QString WindowTest::WriteBytes(const QString& name, std::span<const std::uint8_t> bytes) {
  QFile file(PathOf(name));
  EXPECT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
  return file.fileName();
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

QAction* WindowTest::Action(const char* name) const {
  auto* action = m_window->findChild<QAction*>(QString::fromLatin1(name));
  EXPECT_NE(action, nullptr) << name;
  return action;
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

::testing::AssertionResult WindowTest::LastMessage(std::size_t count, const QString& title, const QString& text) const {
  const std::vector<Message>& shown = m_messages.Shown();
  if (shown.size() != count) return ::testing::AssertionFailure() << shown.size() << " messages, expected " << count;
  if (count > 0 && (shown.back().Title != title || !shown.back().Text.contains(text)))
    return ::testing::AssertionFailure() << shown.back().Title.toStdString() << ": " << shown.back().Text.toStdString();
  return ::testing::AssertionSuccess();
}

PaletteWindow& WindowTest::ShowPalette() {
  if (!m_window->Palette() || !m_window->Palette()->isVisible()) Trigger("ViewPaletteM");
  PaletteWindow& palette = *m_window->Palette();
  palette.activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(&palette));
  return palette;
}

// A double click arrives as a click, then the double click itself.
void WindowTest::DoubleClick(int index) {
  QTest::mouseClick(&Cell(index), Qt::LeftButton);
  QTest::mouseDClick(&Cell(index), Qt::LeftButton);
}

ActionsWindow& WindowTest::Actions() const {
  if (!m_window->Actions()) throw std::logic_error("the actions window does not exist");
  return *m_window->Actions();
}

QTreeWidgetItem* WindowTest::Node(const QString& key) const {
  for (QTreeWidgetItemIterator it(&Actions().Tree()); *it; ++it)
    if ((*it)->data(0, kNodeKeyRole).toString() == key) return *it;
  ADD_FAILURE() << "no node " << key.toStdString();
  return nullptr;
}

QStringList WindowTest::Keys() const {
  QStringList keys;
  for (QTreeWidgetItemIterator it(&Actions().Tree()); *it; ++it) keys << (*it)->data(0, kNodeKeyRole).toString();
  return keys;
}

void WindowTest::ClickNode(const QString& key) {
  QTreeWidgetItem* node = Node(key);
  ASSERT_NE(node, nullptr);
  Actions().show();
  QTreeWidget& tree = Actions().Tree();
  for (QTreeWidgetItem* parent = node->parent(); parent; parent = parent->parent()) parent->setExpanded(true);
  tree.scrollToItem(node);
  QTest::mouseClick(tree.viewport(), Qt::LeftButton, {}, tree.visualItemRect(node).center());
  ASSERT_EQ(tree.selectedItems().value(0), node);
}

QString WindowTest::Row(const char* label) const {
  const QList<QTreeWidgetItem*> rows =
      Actions().findChild<QTreeWidget*>("FrameValue")->findItems(QString::fromLatin1(label), Qt::MatchExactly);
  return rows.size() == 1 ? rows[0]->text(1) : QStringLiteral("<no row %1>").arg(label);
}

}  // namespace tessaloom
