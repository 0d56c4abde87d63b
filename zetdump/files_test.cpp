#include "zetdump/files.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#endif

#include <functional>
#include <string>
#include <vector>

#include "tests/support/test_folder.h"

namespace zetdump {
namespace {

using zet::TestFolder;

const std::vector<NamedFile> kFiles = {{"a.zts", "[basis]\r\n"},
                                       {"a_NOICON.bmp", std::string(300000, 'b')}};

// What WriteNewFiles refused with, or "" when it wrote.
std::string Refusal(const std::string& folder) {
  try {
    WriteNewFiles(kFiles, folder);
  } catch (const zetreader::FileError& error) {
    return error.text;
  }
  return "";
}

// Every kind of taken name is refused before anything is written.
TEST(FilesTest, WritesOnlyNewFiles) {
  const std::string taken = "既にあるファイルは上書きしません。";
  const struct {
    const char* what;
    std::function<void(const TestFolder&)> prepare;
    std::string refusal;
    std::vector<std::string> entries;  // of the test folder afterwards
  } cases[] = {
      {"empty folder", [](const TestFolder&) {}, "", {"a.zts", "a_NOICON.bmp"}},
      {"a file", [](const TestFolder& f) { f.Write("a.zts", "mine"); }, taken, {"a.zts"}},
#ifndef _WIN32
      {"dangling link",
       [](const TestFolder& f) { symlink(f.PathOf("outside").c_str(), f.PathOf("a.zts").c_str()); },
       taken,
       {"a.zts"}},
      {"FIFO",
       [](const TestFolder& f) { mkfifo(f.PathOf("a_NOICON.bmp").c_str(), 0666); },
       taken,
       {"a_NOICON.bmp"}},
#endif
  };
  for (const auto& c : cases) {
    const TestFolder folder;
    c.prepare(folder);
    EXPECT_EQ(Refusal(folder.Path()), c.refusal) << c.what;
    EXPECT_EQ(folder.Entries(), c.entries) << c.what;
  }
}

#ifndef _WIN32
// A full disk, as the file size limit makes it: the first file is written,
// the bitmap is not, and both go again, the folder made for them too.
TEST(FilesTest, AFullDiskLeavesTheFolderAsItWasFound) {
  const TestFolder folder;
  struct rlimit previous;
  getrlimit(RLIMIT_FSIZE, &previous);
  const auto handler = signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = previous;
  small.rlim_cur = 100000;
  setrlimit(RLIMIT_FSIZE, &small);
  const std::string refusal = Refusal(folder.PathOf("out"));
  setrlimit(RLIMIT_FSIZE, &previous);
  signal(SIGXFSZ, handler);
  EXPECT_EQ(refusal, "ファイルを書けません。");
  EXPECT_TRUE(folder.Entries().empty());
}

// Only files are read: a FIFO would wait for a writer, /dev/zero never ends.
TEST(FilesTest, ReaderRefusesWhatIsNoFile) {
  const TestFolder folder;
  const std::string fifo = folder.PathOf("fifo.ztr");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0666), 0);
  for (const std::string& path : {fifo, std::string("/dev/zero"), folder.Path()}) {
    try {
      zetreader::ReadFileBytes(path);
      ADD_FAILURE() << path << " was read";
    } catch (const zetreader::FileError& error) {
      EXPECT_EQ(error.text, "ファイルではないので読みません。") << path;
    }
  }
}
#endif

}  // namespace
}  // namespace zetdump
