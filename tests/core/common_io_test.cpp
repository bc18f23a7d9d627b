// Writing files (atomic replacement, failures keeping the old file, no temporary left)
// is checked for every writer in write_faults_test.cpp.

#include <gtest/gtest.h>

#include "core/common/byte_reader.h"
#include "core/common/byte_writer.h"

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
