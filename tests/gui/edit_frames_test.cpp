// Adding frames from 8-bit bitmaps and deleting frames, through the main window's
// menu items, toolbar buttons and shortcuts.

#include <QTest>
#include <QToolBar>

#include "gui/palette/pal_color.h"
#include "gui/palette/spr_pal.h"
#include "gui/render/spr_bg.h"
#include "support/bmp_bytes.h"
#include "window_fixture.h"

namespace tessaloom {
namespace {

class EditFramesTest : public WindowTest {
 protected:
  // A bitmap of `rows` (top row first) with the gradient colour table.
  QString WriteBitmap(const QString& name, const std::vector<std::vector<std::uint8_t>>& rows,
                      std::uint16_t bitsPerPixel = 8) {
    BmpFields fields;
    fields.Width = static_cast<std::int32_t>(rows.front().size() * 8 / bitsPerPixel);
    fields.Height = static_cast<std::int32_t>(rows.size());
    fields.BitsPerPixel = bitsPerPixel;
    if (bitsPerPixel == 8) fields.Table = GradientTable(256);
    fields.Rows = rows;
    return WriteBytes(name, BuildBmp(fields));
  }

  void AddFrame(const QString& path) {
    m_dialog.AnswerFile(path);
    Action("AddFrame")->trigger();
  }

  // The current frame as the transport bar would set it in sprite mode.
  void GoToFrame(int number) {
    m_session->SetPosition(number, m_session->FrameCount(), QStringLiteral("Frame : %1").arg(number));
  }
};

TEST_F(EditFramesTest, AFrameIsInsertedAfterTheCurrentOneAndBecomesCurrent) {
  const SprDocument sprite = TestSprite(3);
  OpenByDialog(WriteSprite("three.spr", sprite));
  GoToFrame(2);
  AddFrame(WriteBitmap("new.bmp", {{5, 6}}));

  EXPECT_EQ(m_dialog.Requests().back(),
            (DialogRequest{DialogRequest::Kind::Open, "Import frame ....", "Bitmap 8 bits |*.bmp", ""}));
  const std::vector<SprFrame>& frames = m_session->Document().Frames;
  ASSERT_EQ(frames.size(), 4u);
  EXPECT_EQ(m_session->Document().Header.FrameCount, 4);
  EXPECT_EQ(frames[1].Pixels, sprite.Frames[1].Pixels);
  EXPECT_EQ(frames[2].Pixels, (std::vector<std::uint8_t>{5, 6, 0, 0}));
  EXPECT_EQ(frames[3].Pixels, sprite.Frames[2].Pixels);
  // The sprite keeps its palette; the bitmap's pixels are indices into it.
  EXPECT_EQ(m_session->Document().Header.Palette, TestPalette());

  EXPECT_EQ(m_session->SpriteFrame(), 3);
  EXPECT_EQ(PanelText(1), "Size: 2 x 1");
  EXPECT_EQ(PanelText(2), "Frame : 3/ 4");
  EXPECT_EQ(m_window->Canvas().toolTip(), "Size: 2 x 1");
  EXPECT_EQ(CanvasCount(TestPaletteColor(5)), 1);

  // After the last frame the new one is appended.
  GoToFrame(4);
  m_dialog.AnswerFile(WriteBitmap("last.bmp", {{9}}));
  Action("Add")->trigger();
  ASSERT_EQ(m_session->FrameCount(), 5);
  EXPECT_EQ(m_session->Document().Frames[4].Pixels, (std::vector<std::uint8_t>{9, 0, 0, 0}));
  EXPECT_EQ(PanelText(2), "Frame : 5/ 5");
  EXPECT_TRUE(m_messages.Shown().empty());
}

TEST_F(EditFramesTest, AnEmptyDocumentTakesTheBitmapsColourTableAndEnablesTheSpriteCommands) {
  EXPECT_FALSE(Action("DeleteFrame")->isEnabled());
  m_dialog.AnswerFile(WriteBitmap("five.bmp", {{1, 2, 3, 4, 5}, {6, 7, 8, 9, 10}}));
  QTest::keyClick(m_window.get(), Qt::Key_A, Qt::ControlModifier);

  ASSERT_EQ(m_session->FrameCount(), 1);
  const SprFrame& frame = m_session->Document().Frames[0];
  EXPECT_EQ(frame.Width, 5);
  EXPECT_EQ(frame.Height, 2);
  // Bottom-up rows of the 8-byte stride a 5-pixel frame read from a sprite file has.
  EXPECT_EQ(frame.Pixels, (std::vector<std::uint8_t>{6, 7, 8, 9, 10, 0, 0, 0, 1, 2, 3, 4, 5, 0, 0, 0}));
  EXPECT_EQ(m_session->Document().Header.Palette, GradientTable(256));
  EXPECT_EQ(PanelText(1), "Size: 5 x 2");
  EXPECT_EQ(PanelText(2), "Frame : 1/ 1");

  for (const char* name : {"Save", "SaveButton", "Palette", "DeleteFrame"}) EXPECT_TRUE(Action(name)->isEnabled());
  EXPECT_TRUE(Menu("ZoomMenu")->menuAction()->isEnabled());
  EXPECT_TRUE(m_window->findChild<QToolBar*>("RepBar")->isEnabled());
  ASSERT_NE(m_window->PaletteWindow(), nullptr);
  EXPECT_EQ(m_window->PaletteWindow()->Cell(3).CellColor(), MakeColor(1, 252, 3));

  EXPECT_TRUE(m_messages.Shown().empty());
}

TEST_F(EditFramesTest, ABitmapThatCannotBeAddedIsReportedAndAddsNothing) {
  const SprDocument sprite = TestSprite(2);
  OpenByDialog(WriteSprite("two.spr", sprite));

  m_dialog.AnswerCancel();
  Action("AddFrame")->trigger();
  EXPECT_TRUE(m_messages.Shown().empty());

  AddFrame(WriteBitmap("deep.bmp", {{1, 2, 3, 4, 5, 6}}, 24));
  EXPECT_TRUE(LastMessage(1, "Format incompatible"));
  EXPECT_EQ(ShownMessage(0).Text, "No 8 bits bitmap format");
  AddFrame(PathOf("missing.bmp"));
  EXPECT_TRUE(LastMessage(2, "Open error", "missing.bmp"));

  EXPECT_TRUE(SameImages(m_session->Document(), sprite));
  EXPECT_EQ(PanelText(2), "Frame : 1/ 2");
}

TEST_F(EditFramesTest, TheLargestSpriteTakesNoMoreFrames) {
  SprDocument full;
  full.Header.Palette = TestPalette();
  full.Frames.assign(kMaxFrames, SolidFrame(1, 1, 1));
  full.Header.FrameCount = kMaxFrames;
  m_session->ReplaceDocument(std::move(full));

  AddFrame(WriteBitmap("one.bmp", {{2}}));
  EXPECT_TRUE(LastMessage(1, "Add error"));
  EXPECT_EQ(m_session->FrameCount(), kMaxFrames);
}

TEST_F(EditFramesTest, DeleteRemovesTheCurrentFrameAfterAskingAndTheNextBecomesCurrent) {
  const SprDocument sprite = TestSprite(3);
  OpenByDialog(WriteSprite("three.spr", sprite));
  EXPECT_TRUE(Action("DeleteFrame")->isEnabled());
  GoToFrame(2);

  m_messages.AnswerQuestion(false);
  Action("DeleteFrame")->trigger();
  ASSERT_EQ(m_messages.Asked().size(), 1u);
  EXPECT_EQ(m_messages.Asked()[0], (Message{.Text = "Delete frame 2 of 3?",
                                            .Title = "Delete frame",
                                            .Icon = MessageIcon::Question}));
  EXPECT_TRUE(SameImages(m_session->Document(), sprite));

  m_messages.AnswerQuestion(true);
  QTest::keyClick(m_window.get(), Qt::Key_D, Qt::ControlModifier);
  ASSERT_EQ(m_session->FrameCount(), 2);
  EXPECT_EQ(m_session->Document().Frames[1].Pixels, sprite.Frames[2].Pixels);
  EXPECT_EQ(PanelText(2), "Frame : 2/ 2");
  EXPECT_EQ(PanelText(1), "Size: 5 x 4");
  EXPECT_EQ(CanvasCount(TestPaletteColor(3)), 20);

  // At the end the previous frame becomes current; the toolbar's "Sub" does the same.
  m_messages.AnswerQuestion(true);
  Action("Sub")->trigger();
  ASSERT_EQ(m_session->FrameCount(), 1);
  EXPECT_EQ(m_session->Document().Frames[0].Pixels, sprite.Frames[0].Pixels);
  EXPECT_EQ(PanelText(2), "Frame : 1/ 1");

  m_messages.AnswerQuestion(true);
  Action("DeleteFrame")->trigger();
  EXPECT_EQ(m_session->FrameCount(), 0);
  EXPECT_EQ(PanelText(2), "Frame : 0/ 0");
  EXPECT_EQ(PanelText(1), "Size: 0 x 0");
  EXPECT_FALSE(Action("DeleteFrame")->isEnabled());
  EXPECT_EQ(DrawnArea().Width, 0);
  // With no frame left there is nothing to ask about.
  Action("Sub")->trigger();
  EXPECT_EQ(m_messages.Asked().size(), 4u);
  EXPECT_EQ(m_session->Document().Header.Palette, TestPalette());
  EXPECT_TRUE(m_messages.Shown().empty());
}

}  // namespace
}  // namespace tessaloom
