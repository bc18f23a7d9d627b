#include <gtest/gtest.h>

#include "cli/cli.h"
#include "cli_test_support.h"
#include "core/convert/converter_bmp.h"
#include "core/convert/converter_gif.h"
#include "core/convert/converter_png.h"

using namespace tessaloom;

class CliExport : public CliTest {
 protected:
  CliRun Export(const std::string& output, std::vector<std::string> options) {
    std::vector<std::string> args{"export", PathOf("hero.spr"), PathOf(output)};
    args.insert(args.end(), options.begin(), options.end());
    return RunCli(args);
  }
};

TEST_F(CliExport, WritesTheChosenFrameInEachStillFormat) {
  ASSERT_EQ(Export("f2.bmp", {"--format", "bmp", "--frame", "2"}).status, cli::kExitOk);
  EXPECT_EQ(FileBytes(m_dir / "f2.bmp"), Converter_Bmp::SerializeBmp(m_sprite.Header, m_sprite.Frames[1]));

  ASSERT_EQ(Export("f1.gif", {"--format", "gif"}).status, cli::kExitOk);
  EXPECT_EQ(FileBytes(m_dir / "f1.gif"), Converter_Gif::EncodeGif(m_sprite.Header, m_sprite.Frames[0], true));

  ASSERT_EQ(Export("f3.gif", {"--format", "gif87", "--frame", "3"}).status, cli::kExitOk);
  EXPECT_EQ(FileBytes(m_dir / "f3.gif"), Converter_Gif::EncodeGif(m_sprite.Header, m_sprite.Frames[2], false));

  ASSERT_EQ(Export("f3.png", {"--format", "png", "--frame", "3"}).status, cli::kExitOk);
  EXPECT_EQ(FileBytes(m_dir / "f3.png"), *Converter_Png::EncodeIndexedPng(m_sprite.Header, m_sprite.Frames[2]));
}

TEST_F(CliExport, AllWritesNumberedFilesAndAnimWritesOneFile) {
  ASSERT_EQ(Export("hero.gif", {"--format", "gif", "--all"}).status, cli::kExitOk);
  ASSERT_EQ(Export("plain", {"--format", "bmp", "--all"}).status, cli::kExitOk);
  ASSERT_EQ(Export("walk.gif", {"--format", "anim87"}).status, cli::kExitOk);
  EXPECT_EQ(TempDir::ListNames(m_dir.Path()),
            (std::vector<std::string>{"hero-01.gif", "hero-02.gif", "hero-03.gif", "hero.spr", "plain-01.bmp",
                                      "plain-02.bmp", "plain-03.bmp", "walk.gif"}));
  EXPECT_EQ(FileBytes(m_dir / "hero-02.gif"), Converter_Gif::EncodeGif(m_sprite.Header, m_sprite.Frames[1], true));
  EXPECT_EQ(FileBytes(m_dir / "walk.gif"), *Converter_Gif::EncodeAnimatedGif(m_sprite.Header, m_sprite.Frames, false));
}

TEST_F(CliExport, RefusesWithoutLeavingAnOutputFile) {
  const CliRun noFrame = Export("f9.bmp", {"--format", "bmp", "--frame", "9"});
  EXPECT_EQ(noFrame.status, cli::kExitBadInput);
  EXPECT_NE(noFrame.err.find("no frame 9"), std::string::npos);
  EXPECT_EQ(Export("a.gif", {"--format", "anim", "--frame", "1"}).status, cli::kExitUsage);
  EXPECT_EQ(Export("sub/none/x.gif", {"--format", "gif", "--all"}).status, cli::kExitBadInput);
  EXPECT_EQ(TempDir::ListNames(m_dir.Path()), std::vector<std::string>{"hero.spr"});
}
