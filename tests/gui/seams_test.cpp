// The Qt side of the seams: filters as Qt's file dialogs take them, and core errors
// in the words of a message box.

#include <gtest/gtest.h>

#include "gui/state/dialog.h"
#include "gui/state/messages.h"

namespace tessaloom {
namespace {

TEST(QtNameFiltersTest, EachDescriptionAndPatternPairBecomesOneQtFilter) {
  EXPECT_EQ(QtNameFilters("Ragnarok SPR File |*.spr"), QStringList{"Ragnarok SPR File (*.spr)"});
  EXPECT_EQ(QtNameFilters("Bitmap |*.bmp|Gif (transparent) |*.gif|Both |*.bmp;*.gif"),
            (QStringList{"Bitmap (*.bmp)", "Gif (transparent) (*.gif)", "Both (*.bmp *.gif)"}));
  EXPECT_TRUE(QtNameFilters("").isEmpty());
  // A description without its pattern is no filter.
  EXPECT_EQ(QtNameFilters("Sprite |*.spr|Orphan"), QStringList{"Sprite (*.spr)"});
}

TEST(MessageFromErrorTest, KeepsTheTitleTextAndDetailOfACoreError) {
  const Error error{.title = "Open error", .text = "Cannot open \"a.spr\": Permission denied.", .detail = "At byte 0."};
  EXPECT_EQ(MessageFromError(error), (Message{.Text = "Cannot open \"a.spr\": Permission denied.",
                                              .Title = "Open error",
                                              .Icon = MessageIcon::Exclamation,
                                              .Detail = "At byte 0."}));
  EXPECT_EQ(MessageFromError(error, MessageIcon::None).Icon, MessageIcon::None);
}

}  // namespace
}  // namespace tessaloom
