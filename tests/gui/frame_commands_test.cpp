// Adding frames from 8-bit bitmaps and deleting frames.

#include <QApplication>
#include <QDropEvent>
#include <QImage>
#include <QListView>
#include <QMimeData>
#include <memory>
#include <QTest>

#include "core/sprite/spr_reader.h"
#include "gui/state/dialog.h"
#include "window_fixture.h"

namespace tessaloom {
namespace {

TEST_F(WindowTest, AFrameIsInsertedAfterTheCurrentOneAndBecomesCurrent) {
  OpenByDialog(WriteSprite("three.spr", TestSprite(3)));
  Trigger("Next");
  Answer("AddFrame", WriteBitmap("new.bmp", {{5, 6}}));
  ASSERT_EQ(Sprite().Frames.size(), 4u);
  EXPECT_EQ(Sprite().Frames[2].Pixels, (std::vector<std::uint8_t>{5, 6, 0, 0}));
  EXPECT_EQ(PanelText(1) + " | " + PanelText(2), "Size: 2 x 1 | Frame : 3/ 4");
  EXPECT_EQ(CanvasCount(TestColor(5)), 1);

  // A bitmap that cannot be added is reported and adds nothing.
  Answer("AddFrame", WriteBitmap("deep.bmp", {{1, 2, 3, 4, 5, 6}}, 24));
  // OK button only, no icon.
  EXPECT_TRUE(LastMessage(1, "Format incompatible", "No 8 bits bitmap format", MessageIcon::None));
  Answer("AddFrame", PathOf("missing.bmp"));
  EXPECT_TRUE(LastMessage(2, "Open error", "missing.bmp"));
  EXPECT_EQ(Sprite().Frames.size(), 4u);
}

TEST_F(WindowTest, AnEmptySpriteTakesTheBitmapsColourTableAndEnablesTheSpriteCommands) {
  m_dialog.AnswerFile(WriteBitmap("five.bmp", {{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}}));
  QTest::keyClick(m_window.get(), Qt::Key_A, Qt::ControlModifier);
  const QStringList commands{"Save", "SaveButton", "Palette", "DeleteFrame", "RepBar"};
  EXPECT_EQ(Enabled(commands), commands);
  EXPECT_EQ(Cell(3).CellColor(), MakeColor(1, 252, 3));
}

TEST_F(WindowTest, DeleteRemovesTheCurrentFrameAfterAsking) {
  OpenByDialog(WriteSprite("three.spr", TestSprite(3)));
  Trigger("Next");
  m_messages.AnswerQuestion(false);
  Trigger("DeleteFrame");
  EXPECT_EQ(m_messages.Asked().back(),
            (Message{.Text = "Delete frame 2 of 3?", .Title = "Delete frame", .Icon = MessageIcon::Question}));
  // The next frame becomes current, the previous one at the end.
  for (const char* position : {"Frame : 2/ 2", "Frame : 1/ 1", "Frame : 0/ 0"}) {
    m_messages.AnswerQuestion(true);
    Trigger("Sub");
    EXPECT_EQ(PanelText(2), position);
  }
  EXPECT_EQ(Enabled({"DeleteFrame"}), QStringList{});
  Trigger("Sub");  // with no frame left there is nothing to ask about
  EXPECT_EQ(m_messages.Asked().size(), 4u);
}

// Each frame edit is undone and redone whole, its caption naming it; a move is saved.
TEST_F(WindowTest, FrameEditsMoveUndoAndRedo) {
  OpenByDialog(WriteSprite("three.spr", TestSprite(3)));
  const auto widths = [this] {
    QString text;
    for (const SprFrame& frame : Sprite().Frames) text += QString::number(frame.Width);
    return text + " " + PanelText(2) + " " + Action("UndoEdit")->text();
  };
  Trigger("Next");
  QTest::keyClick(m_window.get(), Qt::Key_Right, Qt::AltModifier);
  EXPECT_EQ(widths(), "354 Frame : 3/ 3 Undo Move Frame 2");
  Answer("AddFrame", WriteBitmap("new.bmp", {{5, 6}}));
  EXPECT_EQ(widths(), "3542 Frame : 4/ 4 Undo Add Frame 4");
  m_messages.AnswerQuestion(true);
  Trigger("DeleteFrame");
  EXPECT_EQ(widths(), "354 Frame : 3/ 3 Undo Delete Frame 4");
  const struct {
    const char* key;
    const char* after;
  } steps[] = {{"Ctrl+Z", "3542 Frame : 4/ 4 Undo Add Frame 4"}, {"Ctrl+Z", "354 Frame : 3/ 3 Undo Move Frame 2"},
               {"Ctrl+Z", "345 Frame : 2/ 3 Undo"},             {"Ctrl+Shift+Z", "354 Frame : 3/ 3 Undo Move Frame 2"},
               {"Alt+Left", "345 Frame : 2/ 3 Undo Move Frame 3"}, {"Alt+Left", "435 Frame : 1/ 3 Undo Move Frame 2"}};
  for (const auto& step : steps) {
    SCOPED_TRACE(step.key);
    QTest::keySequence(m_window.get(), QKeySequence(QString::fromLatin1(step.key)));
    EXPECT_EQ(widths(), step.after);
  }
  EXPECT_EQ(Action("RedoEdit")->text(), "Redo");
  Answer("Save", PathOf("moved.spr"));
  const auto saved = Tool_Spr::LoadSprite(FsPath(PathOf("moved.spr")));
  ASSERT_TRUE(saved);
  EXPECT_TRUE(SameImages(saved->Document, Sprite()));
  EXPECT_EQ(Sprite().Frames[0].Width, 4);
}

// The strip lists every frame with its number and size, follows the position and
// goes to a clicked frame.
TEST_F(WindowTest, TheFrameStripShowsTheFramesAndGoesToTheOneClicked) {
  OpenByDialog(WriteSprite("three.spr", TestSprite(3)));
  auto* strip = m_window->findChild<QListView*>("FrameStrip");
  ASSERT_EQ(strip->model()->rowCount(), 3);
  EXPECT_EQ(strip->model()->index(2, 0).data().toString(), "3\n5x4");
  EXPECT_FALSE(strip->model()->index(2, 0).data(Qt::DecorationRole).value<QImage>().isNull());
  Trigger("Next");
  EXPECT_EQ(strip->currentIndex().row(), 1);
  QTest::mouseClick(strip->viewport(), Qt::LeftButton, {}, strip->visualRect(strip->model()->index(2, 0)).center());
  EXPECT_EQ(PanelText(2), "Frame :  3/ 3");
  // Dropped on the right half of the last thumbnail, frame 1 goes to the end, as one
  // undoable edit.
  QAbstractItemModel& model = *strip->model();
  const std::unique_ptr<QMimeData> dragged(model.mimeData({model.index(0, 0)}));
  const QRect last = strip->visualRect(model.index(2, 0));
  const QPoint at(last.right() - 2, last.center().y());
  QDragEnterEvent enter(at, Qt::MoveAction, dragged.get(), Qt::LeftButton, {});
  QApplication::sendEvent(strip->viewport(), &enter);
  QDropEvent drop(at, Qt::MoveAction, dragged.get(), Qt::LeftButton, {});
  QApplication::sendEvent(strip->viewport(), &drop);
  EXPECT_EQ(Sprite().Frames[2].Width, 3);
  EXPECT_EQ(Action("UndoEdit")->text(), "Undo Move Frame 1");
}

}  // namespace
}  // namespace tessaloom
