#include "compiler/output/output_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compiler/common/win32_error.h"
#include "compiler/output/test_files.h"
#include "compiler/output/test_platform.h"

namespace zet {
namespace {

uint32_t CreateError(const std::string& path) {
  try {
    OutputFile file(path.c_str());
  } catch (const Win32Error& error) {
    return error.code;
  }
  return 0;
}

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
    EXPECT_EQ(folder.Entries().size(), 2u);  // the new file beside the output
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
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_THROW(ExclusiveHold{folder.PathOf(entries[0])}, std::runtime_error);
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
      {"folder.ztr", 5},
      {"held.ztr", 32},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CreateError(folder.PathOf(c.name)), c.expected) << c.name;
  }
  EXPECT_EQ(ReadFile(folder.PathOf("readonly.ztr")), "keep");
  EXPECT_EQ(folder.Entries(), (std::vector<std::string>{"folder.ztr", "held.ztr", "readonly.ztr"}));
}

TEST(OutputFileTest, FindsAFreeNameForItsWork) {
  TestFolder folder;
  const std::string path = folder.PathOf("out.ztr");
  // Left behind by a program that was killed while writing.
  WriteFile(path + ".~0", "stale");
  OutputFile first(path.c_str());
  OutputFile second(path.c_str());
  first.Write("1", 1);
  second.Write("2", 1);
  first.Commit();
  EXPECT_EQ(ReadFile(path), "1");
  second.Commit();
  EXPECT_EQ(ReadFile(path), "2");
  EXPECT_EQ(ReadFile(path + ".~0"), "stale");
}

}  // namespace
}  // namespace zet
