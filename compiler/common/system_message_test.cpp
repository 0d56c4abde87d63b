#include "compiler/common/system_message.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "compiler/common/system_error.h"

namespace zet {
namespace {

bool IsMessageLine(const std::string& text) {
  return text.size() > 2 && text.compare(text.size() - 2, 2, "\r\n") == 0;
}

TEST(SystemMessageTest, HasALineForTheCodesTheCompilerGives) {
  // Missing file and folder, access denied, file in use, bad bitmap, disk
  // full, empty file mapped.
  for (uint32_t code : {2u, 3u, 5u, 32u, 87u, 112u, 1006u}) {
    EXPECT_TRUE(IsMessageLine(SystemMessage(code))) << code;
  }
}

TEST(SystemMessageTest, GivesTheEmptyTextForACodeWithoutText) {
  EXPECT_EQ(SystemMessage(0x2000ABCD), "");  // the bit for application codes
}

#ifndef _WIN32
TEST(SystemMessageTest, HasALineForEveryCodeErrnoMapsTo) {
  for (int error = 1; error < 134; ++error) {
    const uint32_t code = Win32CodeFromErrno(error);
    EXPECT_TRUE(IsMessageLine(SystemMessage(code))) << "errno " << error << " code " << code;
  }
  EXPECT_TRUE(IsMessageLine(SystemMessage(Win32CodeFromErrno(ENOENT, "/no/such/folder/x"))));
}
#endif

}  // namespace
}  // namespace zet
