#include "platform/system_message.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include "platform/system_error.h"
#include "platform/win32_error.h"

namespace zet {
namespace {

bool IsMessageLine(const std::string& text) {
  return text.size() > 2 && text.compare(text.size() - 2, 2, "\r\n") == 0;
}

// Every code the programs produce has a text on both builds: the system's on
// Windows, the table's own on Linux.
TEST(SystemMessageTest, HasALineForEveryCodeOfTheTable) {
  const struct {
    const char* name;
    uint32_t code;
  } codes[] = {
#define ZET_CODE_ROW(name, code, text) {#name, code},
      ZET_WIN32_ERRORS(ZET_CODE_ROW)
#undef ZET_CODE_ROW
  };
  for (const auto& c : codes) {
    EXPECT_TRUE(IsMessageLine(SystemMessage(c.code))) << c.name << " " << c.code;
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
