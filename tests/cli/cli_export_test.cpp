// The export command end to end; what each format writes is checked in the core tests.

#include <gtest/gtest.h>

#include "cli/cli.h"
#include "cli_test_support.h"
#include "core/convert/converter_bmp.h"
#include "core/convert/converter_gif.h"

using namespace tessaloom;

class CliExport : public CliTest {
 protected:
  CliRun Export(const std::string& output, std::vector<std::string> options) {
    std::vector<std::string> args{"export", PathOf("hero.spr"), PathOf(output)};
    args.insert(args.end(), options.begin(), options.end());
    return RunCli(args);
  }
};

TEST_F(CliExport, WritesTheChosenFrameEveryFrameOrOneAnimation) {
  ASSERT_EQ(Export("f2.bmp", {"--format", "bmp", "--frame", "2"}).status, cli::kExitOk);
  ASSERT_EQ(Export("hero.png", {"--format", "PNG", "--all"}).status, cli::kExitOk);
  ASSERT_EQ(Export("walk.gif", {"--format", "anim87"}).status, cli::kExitOk);
  ASSERT_EQ(Export("small.gif", {"--format", "anim", "--compact"}).status, cli::kExitOk);
  EXPECT_EQ(FileBytes(m_dir / "f2.bmp"), Converter_Bmp::SerializeBmp(m_sprite.Header, m_sprite.Frames[1]));
  EXPECT_EQ(FileBytes(m_dir / "small.gif"), Converter_Gif::EncodeAnimatedGif(m_sprite.Header, m_sprite.Frames, true,
                                                                             Converter_Gif::GifCoding::Compact).value());
  EXPECT_EQ(TempDir::ListNames(m_dir.Path()),
            (std::vector<std::string>{"f2.bmp", "hero-01.png", "hero-02.png", "hero-03.png", "hero.spr", "small.gif",
                                      "walk.gif"}));
}

TEST_F(CliExport, RefusesWithoutLeavingAnOutputFile) {
  const CliRun noFrame = Export("f9.bmp", {"--format", "bmp", "--frame", "9"});
  EXPECT_EQ(noFrame.status, cli::kExitBadInput);
  EXPECT_NE(noFrame.err.find("Export error: The sprite has no frame 9."), std::string::npos);
  EXPECT_EQ(Export("a.gif", {"--format", "anim", "--frame", "1"}).status, cli::kExitUsage);
  EXPECT_EQ(Export("a.png", {"--format", "png", "--compact"}).status, cli::kExitUsage);
  EXPECT_EQ(Export("sub/none/x.gif", {"--format", "gif", "--all"}).status, cli::kExitBadInput);
  EXPECT_EQ(TempDir::ListNames(m_dir.Path()), std::vector<std::string>{"hero.spr"});
}
