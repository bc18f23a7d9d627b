// Writing files is checked in write_faults_test.cpp.

#include <gtest/gtest.h>

#include "core/common/byte_reader.h"
#include "core/common/byte_writer.h"

using namespace tessaloom;

TEST(ByteReader, ReadsWhatTheWriterWritesLittleEndianAndFailsStickyPastTheEnd) {
  ByteWriter writer;
  writer.Text("SP");
  writer.I16(-2);
  writer.U32(0x01020304);
  EXPECT_EQ(writer.View(), (std::vector<std::uint8_t>{'S', 'P', 0xFE, 0xFF, 4, 3, 2, 1}));

  ByteReader reader(writer.View(), 2);
  EXPECT_EQ(reader.I16(), -2);
  EXPECT_EQ(reader.U16(), 0x0304);
  EXPECT_TRUE(reader.Ok());
  EXPECT_EQ(reader.U32(), 0u);  // only two bytes remain
  EXPECT_FALSE(reader.Ok());
  EXPECT_EQ(reader.U8(), 0);
  EXPECT_EQ(reader.Remaining(), 0u);
}
