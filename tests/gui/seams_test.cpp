// The Qt side of the dialog seam: filters as Qt's file dialogs take them.

#include <gtest/gtest.h>

#include "gui/state/dialog.h"

namespace tessaloom {
namespace {

TEST(QtNameFiltersTest, EachDescriptionAndPatternPairBecomesOneQtFilter) {
  EXPECT_EQ(QtNameFilters("Bitmap |*.bmp|Gif (transparent) |*.gif|Both |*.bmp;*.gif"),
            (QStringList{"Bitmap (*.bmp)", "Gif (transparent) (*.gif)", "Both (*.bmp *.gif)"}));
}

}  // namespace
}  // namespace tessaloom
