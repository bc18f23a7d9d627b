// Every file is written through WriteFileAtomically or, several at once, through a
// StagedFiles commit, made to fail here part-way through its system-call seam: a disk
// that fills up, a flush, close or rename that fails, a folder that cannot be written
// or does not exist. Each time the error carries the title and the cause, the files
// that were there keep every byte, and no temporary file is left behind. Every writer
// then only proves that it writes through it.

#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

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
using Path = std::filesystem::path;

const Bytes kOld{'o', 'l', 'd', ' ', 'f', 'i', 'l', 'e', 0, 1, 2, 3};

int Failing(int errorNumber) {
  errno = errorNumber;
  return -1;
}

// The system calls, each of which a fault below replaces.
const WriteOps kRealOps{::mkstemp, ::write, ::fsync, ::close, std::rename, ::syncfs};

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

WriteOps With(const std::function<void(WriteOps&)>& change) {
  WriteOps ops = kRealOps;
  change(ops);
  return ops;
}

// Only the rename onto a file named "out" fails, so that a commit of several files
// meets it after renaming the others.
const WriteOps kFailingRename = With([](WriteOps& ops) {
  ops.rename = [](const char* from, const char* to) {
    return Path(to).filename() == "out" ? Failing(EXDEV) : std::rename(from, to);
  };
});

// Runs `write` with `ops` in place of the system calls.
Status WriteWith(WriteOps ops, const std::function<Status()>& write) {
  SetWriteOpsForTesting(&ops);
  Status status = write();
  SetWriteOpsForTesting(nullptr);
  return status;
}

const SprDocument kSprite = SpriteOf({FrameFromRows({{1, 2, 0, 1, 2}, {0, 0, 1, 1, 2}}), SolidFrame(3, 4, 2)});
const SprHeader& kHeader = kSprite.Header;
const SprFrame& kFrame = kSprite.Frames[0];
const Image kCanvas(6, 4, 0xFF336699u);

Bytes ReadBytes(const Path& path) { return ReadWholeFile(path, "Open error").value(); }

// The file was refused with `title` and the cause, and the folder holds the files
// `kept` alone, each with its old bytes.
void ExpectKept(const Status& status, const Path& target, const std::string& title, int cause,
                const std::vector<std::string>& kept = {"out"}) {
  ASSERT_FALSE(status);
  EXPECT_EQ(status.error().title, title);
  EXPECT_NE(status.error().text.find(target.filename().string()), std::string::npos) << status.error().text;
  EXPECT_NE(status.error().text.find(std::strerror(cause)), std::string::npos) << status.error().text;
  EXPECT_EQ(TempDir::ListNames(target.parent_path()), kept);
  for (const std::string& name : kept) EXPECT_EQ(ReadBytes(target.parent_path() / name), kOld) << name;
}

// Writes "out" alone or, when `staged`, as the last of three files committed together,
// after "a" (which existed) and "b" (new) were staged with the real system calls.
Status WriteOut(const Path& dir, const WriteOps& ops, bool staged) {
  const Bytes bytes(100, 7);
  if (!staged) return WriteWith(ops, [&] { return WriteFileAtomically(dir / "out", bytes, "Title"); });
  StagedFiles files;
  EXPECT_TRUE(files.Stage(dir / "a", bytes, "Title") && files.Stage(dir / "b", bytes, "Title"));
  return WriteWith(ops, [&] {
    const Status status = files.Stage(dir / "out", bytes, "Title");
    return status ? files.Commit() : status;
  });
}

TEST(AtomicWrite, AFailureAnywhereKeepsTheOldFileAndLeavesNoTemporary) {
  struct Fault {
    const char* Name;
    WriteOps Ops;
    int Cause;
    std::size_t Room = 0;  // for WriteUntilFull
  };
  // mkstemp's refusal in a folder without write permission is simulated: root, who runs
  // the tests in CI, is not bound by permissions.
  const Fault faults[] = {
      {"disk full after 10 bytes", With([](WriteOps& ops) { ops.write = WriteUntilFull; }), ENOSPC, 10},
      {"disk already full", With([](WriteOps& ops) { ops.write = WriteUntilFull; }), ENOSPC},
      {"flush fails", With([](WriteOps& ops) { ops.flush = [](int) { return Failing(EIO); }; }), EIO},
      {"close fails", With([](WriteOps& ops) { ops.close = [](int fd) { return ::close(fd) ? -1 : Failing(EIO); }; }), EIO},
      {"rename fails", kFailingRename, EXDEV},
      {"read-only folder", With([](WriteOps& ops) { ops.makeTemp = [](char*) { return Failing(EACCES); }; }), EACCES},
  };
  for (const Fault& fault : faults) {
    for (const bool staged : {false, true}) {
      SCOPED_TRACE(std::string(fault.Name) + (staged ? ", staged" : ""));
      TempDir dir;
      for (const char* name : {"a", "out"}) ASSERT_TRUE(WriteFileAtomically(dir / name, kOld, "Setup"));
      g_room = fault.Room;
      const Status status = WriteOut(dir.Path(), fault.Ops, staged);
      EXPECT_EQ(g_room, 0u);  // a disk with room took its bytes before it failed
      ExpectKept(status, dir / "out", "Title", fault.Cause, {"a", "out"});
    }
  }
  TempDir dir;
  const Status missing = WriteFileAtomically(dir / "missing" / "out.bin", kOld, "Title");
  ASSERT_FALSE(missing);
  EXPECT_NE(missing.error().text.find(std::strerror(ENOENT)), std::string::npos) << missing.error().text;
  EXPECT_TRUE(TempDir::ListNames(dir.Path()).empty());
}

// A batch flushes once, never each file, and renames nothing before its sets are
// committed, on any thread; a failing flush fails every set and leaves the folder as
// it was.
int g_syncs = 0;
TEST(CommitBatch, RenamesEverySetAfterOneFlushOrNone) {
  for (const bool flushFails : {false, true}) {
    SCOPED_TRACE(flushFails ? "flush fails" : "flush succeeds");
    TempDir dir;
    ASSERT_TRUE(WriteFileAtomically(dir / "out", kOld, "Setup"));
    const WriteOps ops = With([flushFails](WriteOps& batched) {
      batched.flush = [](int) { return Failing(EIO); };
      batched.syncFileSystem = flushFails ? +[](int) { return Failing(EIO); }
                                          : +[](int fd) { return ++g_syncs, ::syncfs(fd); };
    });
    g_syncs = 0;
    const Bytes bytes(100, 7);
    std::vector<Status> statuses;
    EXPECT_TRUE(WriteWith(ops, [&] {
      CommitBatch batch;
      StagedFiles first, second;
      EXPECT_TRUE(first.Stage(dir / "a", bytes, "Title") && first.Commit());
      EXPECT_TRUE(second.Stage(dir / "out", bytes, "Title") && second.Stage(dir / "b", bytes, "Title") &&
                  second.Commit());
      EXPECT_EQ(ReadBytes(dir / "out"), kOld);
      EXPECT_FALSE(std::filesystem::exists(dir / "a"));
      BatchedSets taken = batch.Take();  // committed on another thread, as a batch conversion does
      EXPECT_EQ(batch.Size(), 0u);
      std::jthread([&] { statuses = taken.Commit(); }).join();
      return Status{};
    }));
    ASSERT_EQ(statuses.size(), 2u);
    if (flushFails) {
      for (const Status& status : statuses) {
        ASSERT_FALSE(status);
        EXPECT_NE(status.error().text.find(std::strerror(EIO)), std::string::npos) << status.error().text;
      }
      EXPECT_EQ(TempDir::ListNames(dir.Path()), std::vector<std::string>{"out"});
      EXPECT_EQ(ReadBytes(dir / "out"), kOld);
      continue;
    }
    EXPECT_TRUE(statuses[0] && statuses[1]);
    EXPECT_EQ(g_syncs, 1);
    EXPECT_EQ(TempDir::ListNames(dir.Path()), (std::vector<std::string>{"a", "b", "out"}));
    for (const char* name : {"a", "b", "out"}) EXPECT_EQ(ReadBytes(dir / name), bytes) << name;
  }
}

TEST(AtomicWrite, ShortAndInterruptedWritesStillWriteEverything) {
  TempDir dir;
  const Bytes bytes = Tool_Spr::SerializeSprite(kSprite).value();
  const auto trickle = With([](WriteOps& ops) { ops.write = Trickle; });
  ASSERT_TRUE(WriteWith(trickle, [&] { return WriteFileAtomically(dir / "out.bin", bytes, "Title"); }));
  EXPECT_EQ(ReadBytes(dir / "out.bin"), bytes);
  EXPECT_EQ(TempDir::ListNames(dir.Path()), std::vector<std::string>{"out.bin"});
}

// A saved file is an ordinary one: its mode is what the umask leaves of 0666, and the
// umask the writer looks at is put back.
TEST(AtomicWrite, GivesTheFileTheModeOfANewFile) {
  const mode_t mask = ::umask(022);
  TempDir dir;
  ASSERT_TRUE(WriteFileAtomically(dir / "out.bin", kOld, "Title"));
  EXPECT_EQ(std::filesystem::status(dir / "out.bin").permissions(), std::filesystem::perms(0644));
  EXPECT_EQ(::umask(mask), 022u);
}

// Each writer proves that it writes through WriteFileAtomically: its file holds what
// its encoder returns, and a failing rename keeps the old file under the writer's title.
TEST(AtomicWrite, EveryWriterWritesThroughIt) {
  using namespace Converter_Gif;
  using namespace Converter_Png;
  using Tool_Pal::PalForm;
  const std::vector<std::tuple<std::string, std::function<Status(const Path&)>, Bytes>> writers{
      {"Save error", [](const Path& p) { return Tool_Spr::SaveSprite(p, kSprite); },
       Tool_Spr::SerializeSprite(kSprite).value()},
      {"Export error", [](const Path& p) { return Converter_Bmp::WriteBmp(kHeader, kFrame, p); },
       Converter_Bmp::SerializeBmp(kHeader, kFrame)},
      {"Export error", [](const Path& p) { return WriteGif(kHeader, kFrame, p, true); }, EncodeGif(kHeader, kFrame, true)},
      {"Export error", [](const Path& p) { return WriteAnimatedGif(kHeader, kSprite.Frames, p, false); },
       EncodeAnimatedGif(kHeader, kSprite.Frames, false).value()},
      {"Export error", [](const Path& p) { return WriteIndexedPng(kHeader, kFrame, p); },
       EncodeIndexedPng(kHeader, kFrame).value()},
      {"Export error", [](const Path& p) { return WriteRgbPng(kCanvas, p); }, EncodeRgbPng(kCanvas).value()},
      {"Palette error", [](const Path& p) { return Tool_Pal::ExportPalette(p, kHeader.Palette, PalForm::Riff); },
       Tool_Pal::SerializePalette(kHeader.Palette, PalForm::Riff)},
  };
  for (const auto& [title, write, bytes] : writers) {
    SCOPED_TRACE(title + " " + std::to_string(bytes.size()));
    TempDir dir;
    ASSERT_TRUE(write(dir / "new"));
    EXPECT_EQ(ReadBytes(dir / "new"), bytes);
    std::filesystem::remove(dir / "new");
    ASSERT_TRUE(WriteFileAtomically(dir / "out", kOld, "Setup"));
    ExpectKept(WriteWith(kFailingRename, [&] { return write(dir / "out"); }), dir / "out", title, EXDEV);
  }
}

}  // namespace
