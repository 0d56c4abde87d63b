#include "compiler/shell/log_buffer.h"

#include <gtest/gtest.h>

#include <string>

namespace zet {
namespace {

TEST(LogBufferTest, AppendsWithoutSeparatorsAndCutsLongLines) {
  LogBuffer.clear();
  AppendLog("a");
  AppendLog("%s\r\n", "b");
  EXPECT_EQ(LogBuffer, "ab\r\n");

  LogBuffer.clear();
  const std::string longLine = std::string(1022, 'x') + "表";
  AppendLog("%s\r\n", longLine.c_str());
  AppendLog("次");
  // The cut drops the whole double-byte character and the line break.
  EXPECT_EQ(LogBuffer, std::string(1022, 'x') + "次");
}

}  // namespace
}  // namespace zet
