#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "common/byte_reader.h"
#include "common/byte_writer.h"
#include "common/file_io.h"
#include "support/temp_dir.h"

using namespace tessaloom;

TEST(ByteReader, ReadsLittleEndianAndFailsStickyPastTheEnd) {
  const std::vector<std::uint8_t> bytes{0x34, 0x12, 0xFE, 0xFF, 0x01, 0x02, 0x03};
  ByteReader reader(bytes);
  EXPECT_EQ(reader.U16(), 0x1234);
  EXPECT_EQ(reader.I16(), -2);
  EXPECT_TRUE(reader.Ok());
  EXPECT_EQ(reader.U32(), 0u);  // only three bytes remain
  EXPECT_FALSE(reader.Ok());
  EXPECT_EQ(reader.U8(), 0);
  EXPECT_TRUE(reader.Bytes(1).empty());
  EXPECT_EQ(reader.Remaining(), 0u);
}

TEST(ByteWriter, WritesLittleEndian) {
  ByteWriter writer;
  writer.Text("SP");
  writer.I16(-2);
  writer.U32(0x01020304);
  EXPECT_EQ(writer.View(), (std::vector<std::uint8_t>{'S', 'P', 0xFE, 0xFF, 4, 3, 2, 1}));
}

TEST(FileIo, WritesAtomicallyAndReadsBack) {
  TempDir dir;
  const auto path = dir.Path() / "out.bin";
  const std::vector<std::uint8_t> bytes{1, 2, 3};
  ASSERT_TRUE(WriteFileAtomically(path, bytes, "Save error"));
  auto read = ReadWholeFile(path, "Open error");
  ASSERT_TRUE(read);
  EXPECT_EQ(*read, bytes);
  EXPECT_EQ(TempDir::ListNames(dir.Path()), std::vector<std::string>{"out.bin"});
}

TEST(FileIo, ReportsAMissingFileByNameAndTitle) {
  auto read = ReadWholeFile("/nonexistent/hero.spr", "Open error");
  ASSERT_FALSE(read);
  EXPECT_EQ(read.error().title, "Open error");
  EXPECT_NE(read.error().text.find("/nonexistent/hero.spr"), std::string::npos);
}

TEST(FileIo, AFailedWriteKeepsTheOldFileAndLeavesNoTemporary) {
  TempDir dir;
  const auto path = dir.Path() / "keep.bin";
  { std::ofstream(path, std::ios::binary) << "old"; }
  static int writes = 0;
  static const WriteOps kFullDisk{
      .makeTemp = [](char* t) { return ::mkstemp(t); },
      .write = [](int, const void*, std::size_t) -> ssize_t { errno = ENOSPC; ++writes; return -1; },
      .flush = [](int fd) { return ::fsync(fd); },
      .close = [](int fd) { return ::close(fd); },
      .rename = [](const char* a, const char* b) { return std::rename(a, b); },
  };
  SetWriteOpsForTesting(&kFullDisk);
  const std::vector<std::uint8_t> bytes{9, 9, 9, 9};
  const Status status = WriteFileAtomically(path, bytes, "Save error");
  SetWriteOpsForTesting(nullptr);
  ASSERT_FALSE(status);
  EXPECT_EQ(status.error().title, "Save error");
  EXPECT_GT(writes, 0);
  auto read = ReadWholeFile(path, "Open error");
  EXPECT_EQ(std::string(read->begin(), read->end()), "old");
  EXPECT_EQ(TempDir::ListNames(dir.Path()), std::vector<std::string>{"keep.bin"});
}
