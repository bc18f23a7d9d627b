// Every file writer, made to fail part-way through the atomic writer's system-call
// seam: a disk that fills up, a flush, close or rename that fails, a folder that
// cannot be written or does not exist. Each time the error carries the writer's title
// and the cause, the file that was there keeps every byte, and no temporary file is
// left behind. Writes that the system cuts short or interrupts still write everything.

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <ostream>
#include <string>
#include <unistd.h>
#include <vector>

#include "core/common/file_io.h"
#include "core/convert/converter_bmp.h"
#include "core/convert/converter_gif.h"
#include "core/convert/converter_png.h"
#include "core/palette/tool_pal.h"
#include "core/sprite/spr_writer.h"
#include "support/frame_builder.h"
#include "support/temp_dir.h"

using namespace tessaloom;

namespace {

using Bytes = std::vector<std::uint8_t>;

struct WriterCase {
  std::string Name;
  std::string FileName;
  std::string Title;
  std::function<Status(const std::filesystem::path&)> Write;
};

// Names the case in test listings (gtest would print the object's bytes).
void PrintTo(const WriterCase& writer, std::ostream* out) { *out << writer.Name; }

const SprDocument& Sprite() {
  static const SprDocument sprite = [] {
    SprDocument document;
    document.Header.Palette = PaletteOf({MakeColor(255, 0, 255), MakeColor(10, 20, 30), MakeColor(200, 100, 0)});
    document.Frames = {FrameFromRows({{1, 2, 0, 1, 2}, {0, 0, 1, 1, 2}}), SolidFrame(3, 4, 2)};
    document.Header.FrameCount = 2;
    return document;
  }();
  return sprite;
}

const SprHeader& Header() { return Sprite().Header; }
const SprFrame& Frame() { return Sprite().Frames[0]; }

std::vector<WriterCase> Writers() {
  using Path = std::filesystem::path;
  return {
      {"Spr", "out.spr", "Save error", [](const Path& path) { return Tool_Spr::SaveSprite(path, Sprite()); }},
      {"Bmp", "out.bmp", "Export error",
       [](const Path& path) { return Converter_Bmp::WriteBmp(Header(), Frame(), path); }},
      {"Gif", "out.gif", "Export error",
       [](const Path& path) { return Converter_Gif::WriteGif(Header(), Frame(), path, true); }},
      {"Gif87", "out.gif", "Export error",
       [](const Path& path) { return Converter_Gif::WriteGif(Header(), Frame(), path, false); }},
      {"AnimatedGif", "out.gif", "Export error",
       [](const Path& path) { return Converter_Gif::WriteAnimatedGif(Header(), Sprite().Frames, path, true); }},
      {"IndexedPng", "out.png", "Export error",
       [](const Path& path) { return Converter_Png::WriteIndexedPng(Header(), Frame(), path); }},
      {"RgbPng", "out.png", "Export error",
       [](const Path& path) { return Converter_Png::WriteRgbPng(Image(6, 4, 0xFF336699u), path); }},
      {"RawPal", "out.pal", Tool_Pal::kPaletteErrorTitle,
       [](const Path& path) { return Tool_Pal::ExportPalette(path, Header().Palette, Tool_Pal::PalForm::Raw); }},
      {"RiffPal", "out.pal", Tool_Pal::kPaletteErrorTitle,
       [](const Path& path) { return Tool_Pal::ExportPalette(path, Header().Palette, Tool_Pal::PalForm::Riff); }},
  };
}

// The system calls, each of which a fault below replaces.
int MakeTemp(char* pathTemplate) { return ::mkstemp(pathTemplate); }
ssize_t Write(int fd, const void* data, std::size_t size) { return ::write(fd, data, size); }
int Flush(int fd) { return ::fsync(fd); }
int Close(int fd) { return ::close(fd); }
int Rename(const char* from, const char* to) { return std::rename(from, to); }
constexpr WriteOps kRealOps{MakeTemp, Write, Flush, Close, Rename};

int Failing(int errorNumber) {
  errno = errorNumber;
  return -1;
}

// A disk with room for a few more bytes: the first write lands in part, then ENOSPC.
std::size_t g_room = 0;
ssize_t WriteUntilFull(int fd, const void* data, std::size_t size) {
  if (g_room == 0) return Failing(ENOSPC);
  const ssize_t written = ::write(fd, data, std::min(size, g_room));
  if (written > 0) g_room -= static_cast<std::size_t>(written);
  return written;
}

// Every other call is interrupted, and the rest take 3 bytes at most.
bool g_interrupt = false;
ssize_t Trickle(int fd, const void* data, std::size_t size) {
  g_interrupt = !g_interrupt;
  if (g_interrupt) return Failing(EINTR);
  return ::write(fd, data, std::min<std::size_t>(size, 3));
}

struct Fault {
  std::string Name;
  WriteOps Ops;
  int Cause;              // the errno whose text the error must carry
  std::size_t Room = 0;   // for WriteUntilFull
  bool MissingFolder = false;
};

std::vector<Fault> Faults() {
  WriteOps full = kRealOps;
  full.write = WriteUntilFull;
  WriteOps badFlush = kRealOps;
  badFlush.flush = [](int) { return Failing(EIO); };
  WriteOps badClose = kRealOps;
  badClose.close = [](int fd) { return ::close(fd) == 0 ? Failing(EIO) : -1; };
  WriteOps badRename = kRealOps;
  badRename.rename = [](const char*, const char*) { return Failing(EXDEV); };
  // What mkstemp reports in a folder without write permission (root, who runs the
  // tests in CI, is not bound by permissions, so the refusal is simulated).
  WriteOps readOnly = kRealOps;
  readOnly.makeTemp = [](char*) { return Failing(EACCES); };
  return {
      {"disk full after 10 bytes", full, ENOSPC, 10},
      {"disk already full", full, ENOSPC, 0},
      {"flush fails", badFlush, EIO},
      {"close fails", badClose, EIO},
      {"rename fails", badRename, EXDEV},
      {"read-only folder", readOnly, EACCES},
      {"missing folder", kRealOps, ENOENT, 0, true},
  };
}

// Installs `ops` for the atomic writer and restores the system calls afterwards.
class ScopedWriteOps {
 public:
  explicit ScopedWriteOps(const WriteOps& ops) : m_ops(ops) { SetWriteOpsForTesting(&m_ops); }
  ~ScopedWriteOps() { SetWriteOpsForTesting(nullptr); }

 private:
  WriteOps m_ops;
};

Bytes ReadBytes(const std::filesystem::path& path) {
  auto bytes = ReadWholeFile(path, "Open error");
  return bytes ? *bytes : Bytes{};
}

class WriteFaults : public testing::TestWithParam<WriterCase> {};

TEST_P(WriteFaults, AFailedWriteReportsItAndKeepsTheOldFile) {
  const WriterCase& writer = GetParam();
  const Bytes old{'o', 'l', 'd', ' ', 'f', 'i', 'l', 'e', 0, 1, 2, 3};
  for (const Fault& fault : Faults()) {
    SCOPED_TRACE(fault.Name);
    TempDir dir;
    const auto target = fault.MissingFolder ? dir / "missing" / writer.FileName : dir / writer.FileName;
    if (!fault.MissingFolder) {
      ASSERT_TRUE(WriteFileAtomically(target, old, "Setup"));
    }

    g_room = fault.Room;
    Status status;
    {
      ScopedWriteOps ops(fault.Ops);
      status = writer.Write(target);
    }
    ASSERT_FALSE(status);
    EXPECT_EQ(g_room, 0u);  // a disk with room took its bytes before it failed
    EXPECT_EQ(status.error().title, writer.Title);
    EXPECT_NE(status.error().text.find(writer.FileName), std::string::npos) << status.error().text;
    EXPECT_NE(status.error().text.find(std::strerror(fault.Cause)), std::string::npos) << status.error().text;
    if (fault.MissingFolder) {
      EXPECT_TRUE(TempDir::ListNames(dir.Path()).empty());
    } else {
      EXPECT_EQ(ReadBytes(target), old);
      EXPECT_EQ(TempDir::ListNames(dir.Path()), std::vector<std::string>{writer.FileName});
    }
  }
}

TEST_P(WriteFaults, ShortAndInterruptedWritesStillWriteEverything) {
  const WriterCase& writer = GetParam();
  TempDir dir;
  ASSERT_TRUE(writer.Write(dir / "whole"));
  WriteOps trickle = kRealOps;
  trickle.write = Trickle;
  Status status;
  {
    ScopedWriteOps ops(trickle);
    status = writer.Write(dir / writer.FileName);
  }
  ASSERT_TRUE(status) << status.error().text;
  const Bytes whole = ReadBytes(dir / "whole");
  EXPECT_FALSE(whole.empty());
  EXPECT_EQ(ReadBytes(dir / writer.FileName), whole);
  EXPECT_EQ(TempDir::ListNames(dir.Path()), (std::vector<std::string>{writer.FileName, "whole"}));
}

INSTANTIATE_TEST_SUITE_P(EveryWriter, WriteFaults, testing::ValuesIn(Writers()),
                         [](const testing::TestParamInfo<WriterCase>& writer) { return writer.param.Name; });

}  // namespace
