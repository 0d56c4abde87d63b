#include "compiler/output/output_file.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <string>
#include <vector>

#include "compiler/output/test_files.h"
#include "compiler/output/test_platform.h"
#include "platform/win32_error.h"

namespace zet {
namespace {

// The code of the Win32Error, or 1 for the not-a-file message.
uint32_t CreateError(const std::string& path) {
  try {
    OutputFile file(path.c_str());
  } catch (const Win32Error& error) {
    return error.code;
  } catch (const std::string& message) {
    return message == kNotRegularFile ? 1 : 0;
  }
  return 0;
}

#ifdef _WIN32
constexpr size_t kNewFileEntries = 1;  // a unique name beside the output
#else
constexpr size_t kNewFileEntries = 0;  // no name until it is complete
#endif

TEST(OutputFileTest, WriteReturnsTheSizeBeforeIt) {
  TestFolder folder;
  const std::string path = folder.PathOf("out.ztr");
  const std::string a(100, 'a'), b(900, 'b'), h(220, 'h');
  {
    OutputFile file(path.c_str());
    EXPECT_EQ(file.Write(a.data(), 100), 0u);
    EXPECT_EQ(file.Write(b.data(), 0), 100u);  // writes nothing
    EXPECT_EQ(file.Write(b.data(), 900), 100u);
    EXPECT_EQ(file.GetSize(), 1000u);
    file.Rewind();
    EXPECT_EQ(file.Write(h.data(), 220), 1000u);  // the size, not the position
    EXPECT_EQ(file.GetSize(), 1000u);
    file.Commit();
  }
  EXPECT_EQ(ReadFile(path), h + std::string(780, 'b'));
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"out.ztr"});
}

TEST(OutputFileTest, ReplacesTheOutputOnlyOnCommit) {
  TestFolder folder;
  const std::string path = folder.PathOf("out.ztr");
  WriteFile(path, "previous output");
  {
    OutputFile file(path.c_str());
    file.Write("new", 3);
    EXPECT_EQ(ReadFile(path), "previous output");
    EXPECT_EQ(folder.Entries().size(), 1 + kNewFileEntries);
  }
  // Never committed, as when writing fails: the output stays, nothing is left.
  EXPECT_EQ(ReadFile(path), "previous output");
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"out.ztr"});

  {
    OutputFile file(path.c_str());
    file.Write("new", 3);
    file.Commit();
  }
  EXPECT_EQ(ReadFile(path), "new");
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"out.ztr"});
}

TEST(OutputFileTest, KeepsOthersOutWhileWriting) {
  TestFolder folder;
  OutputFile file(folder.PathOf("out.ztr").c_str());
  const std::vector<std::string> entries = folder.Entries();
  ASSERT_EQ(entries.size(), kNewFileEntries);
  for (const std::string& entry : entries) {
    EXPECT_THROW(ExclusiveHold{folder.PathOf(entry)}, std::runtime_error);
  }
}

TEST(OutputFileTest, RefusesOutputsItMayNotReplace) {
  TestFolder folder;
  WriteFile(folder.PathOf("readonly.ztr"), "keep");
  SetReadOnly(folder.PathOf("readonly.ztr"), true);
  MakeFolder(folder.PathOf("folder.ztr"));
  WriteFile(folder.PathOf("held.ztr"), "keep");
  const ExclusiveHold hold(folder.PathOf("held.ztr"));
  const struct {
    std::string name;
    uint32_t expected;
  } cases[] = {
      {"missing/out.ztr", 3},
      {"readonly.ztr", 5},
      {"folder.ztr", 1},
      {"held.ztr", 32},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CreateError(folder.PathOf(c.name)), c.expected) << c.name;
  }
  EXPECT_EQ(ReadFile(folder.PathOf("readonly.ztr")), "keep");
  EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"folder.ztr", "held.ztr", "readonly.ztr"}));
}

// Files left by compiles that were killed while writing never stop a later
// one, however many there are, nor does a second writer of the same output.
TEST(OutputFileTest, NoLeftoverStopsALaterCompile) {
  TestFolder folder;
  const std::string path = folder.PathOf("out.ztr");
  for (int n = 0; n < 100; ++n) {
    WriteFile(path + ".~" + std::to_string(n), "stale");
  }
  OutputFile first(path.c_str());
  OutputFile second(path.c_str());
  first.Write("1", 1);
  second.Write("2", 1);
  first.Commit();
  EXPECT_EQ(ReadFile(path), "1");
  second.Commit();
  EXPECT_EQ(ReadFile(path), "2");
  EXPECT_EQ(ReadFile(path + ".~0"), "stale");
  EXPECT_EQ(folder.Entries().size(), 101u);
}

#ifndef _WIN32
// What the new file is called does not depend on the output's name: a name of
// 255 bytes, the most a Linux folder entry holds, is written.
TEST(OutputFileTest, WritesOutputsOfTheLongestName) {
  TestFolder folder;
  const std::string path = folder.PathOf(std::string(251, 'n') + ".ztr");
  {
    OutputFile file(path.c_str());
    file.Write("x", 1);
    file.Commit();
  }
  EXPECT_EQ(ReadFile(path), "x");
}

TEST(OutputFileTest, ReplacedOutputKeepsItsPermissions) {
  TestFolder folder;
  const std::string path = folder.PathOf("out.ztr");
  for (const mode_t mode : {0600, 0640, 0664}) {
    WriteFile(path, "old");
    chmod(path.c_str(), mode);
    OutputFile file(path.c_str());
    file.Write("new", 3);
    file.Commit();
    struct stat status;
    ASSERT_EQ(stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, mode);
  }
}

// A device, a FIFO or a socket named as the output stays what it is.
TEST(OutputFileTest, RefusesOutputsThatAreNoFiles) {
  TestFolder folder;
  const std::string fifo = folder.PathOf("fifo.ztr");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0666), 0);
  for (const std::string& path : {std::string("/dev/null"), fifo}) {
    EXPECT_EQ(CreateError(path), 1u) << path;
  }
  struct stat status;
  ASSERT_EQ(stat("/dev/null", &status), 0);
  EXPECT_TRUE(S_ISCHR(status.st_mode));
  EXPECT_EQ(folder.Entries(), std::vector<std::string>{"fifo.ztr"});
}
#endif

}  // namespace
}  // namespace zet
