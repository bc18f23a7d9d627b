#include <gtest/gtest.h>

#include "core/operations/sprite_operations.h"

using tessaloom::NumberedFileName;

TEST(NumberedFileName, DropsOnlyARealExtensionAndPadsToTwoDigits) {
  EXPECT_EQ(NumberedFileName("/x/hero.gif", 1, ".gif"), "/x/hero-01.gif");
  EXPECT_EQ(NumberedFileName("/x/hero", 12, ".bmp"), "/x/hero-12.bmp");
  EXPECT_EQ(NumberedFileName("/x/a.bmp", 100, ".bmp"), "/x/a-100.bmp");
  EXPECT_EQ(NumberedFileName("/x.y/hero", 3, ".png"), "/x.y/hero-03.png");
  EXPECT_EQ(NumberedFileName("hero.tar.gif", 9, ".gif"), "hero.tar-09.gif");
}
