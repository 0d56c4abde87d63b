#include "compiler/source/source_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/win32_error.h"
#include "tests/support/test_folder.h"

namespace zet {
namespace {

const std::string kSeparator(1, static_cast<char>(std::filesystem::path::preferred_separator));

uint32_t ResolveError(const std::string& path) {
  try {
    ResolveFullPath(path.c_str());
  } catch (const Win32Error& error) {
    return error.code;
  }
  return 0;
}

TEST(ResolveFullPathTest, ResolvesAgainstTheCurrentFolder) {
  const TestFolder folder;
  folder.Write("a.zts", "");
  folder.MakeFolder("sub");
  folder.Write("sub" + kSeparator + "b.zts", "");
  folder.MakeFolder("表");  // 95 5C: its trail byte is a backslash
  folder.Write("表" + kSeparator + "c.zts", "");
  const CurrentFolderScope scope(folder.Path());
  const std::string here = CurrentFolderPath() + kSeparator;

  const struct {
    std::string path;
    std::string expected;
  } cases[] = {
      {"a.zts", here + "a.zts"},
      {"sub\\b.zts", here + "sub" + kSeparator + "b.zts"},
      {"sub/b.zts", here + "sub" + kSeparator + "b.zts"},
      {"./sub/../a.zts", here + "a.zts"},
      {"sub\\\\.\\b.zts", here + "sub" + kSeparator + "b.zts"},
      {"表\\c.zts", here + "表" + kSeparator + "c.zts"},
      {"sub", here + "sub"},  // any existing path will do
      {here + "sub" + kSeparator + ".." + kSeparator + "a.zts", here + "a.zts"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ResolveFullPath(c.path.c_str()), c.expected) << c.path;
  }
}

TEST(ResolveFullPathTest, MissingPathsFailWithTheSystemsCode) {
  const TestFolder folder;
  folder.Write("a.zts", "");
  const CurrentFolderScope scope(folder.Path());
  const struct {
    std::string path;
    uint32_t expected;
  } cases[] = {
      {"missing.zts", kErrorFileNotFound},
      {folder.PathOf("missing.zts"), kErrorFileNotFound},
      {"表.zts", kErrorFileNotFound},
      {"nofolder\\a.zts", kErrorPathNotFound},
      {"nofolder/deeper/a.zts", kErrorPathNotFound},
      {"a.zts\\x.zts", kErrorPathNotFound},  // a file on the way
      {"", 123},                             // ERROR_INVALID_NAME, not 0
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ResolveError(c.path), c.expected) << c.path;
  }
}

TEST(SourceFileTest, UnreadableSourcesGiveEveryDefault) {
  const TestFolder folder;
  const std::string paths[] = {
      folder.PathOf("missing.zts"),
      folder.Write("empty.zts", ""),
      folder.Write("blank.zts", "\r\n \t\r\n"),
      folder.MakeFolder("folder.zts"),
  };
  for (const std::string& path : paths) {
    const SourceFile file(path);
    EXPECT_EQ(file.GetString("s", "k", "d"), "d") << path;
    EXPECT_EQ(file.GetInt("s", "k", 7), 7) << path;
  }
}

TEST(SourceFileTest, ValuesAreCutToTheBuffer) {
  const std::string a32764(32764, 'a');
  const struct {
    std::string value;
    std::string expected;
  } cases[] = {
      {a32764 + "aa", a32764 + "aa"},
      {a32764 + "aaa", a32764 + "aa"},
      {std::string(40000, 'b'), std::string(32766, 'b')},
      {a32764 + "表", a32764 + "表"},
      {a32764 + "a表", a32764 + "a"},  // never half a character
  };
  const TestFolder folder;
  int index = 0;
  for (const auto& c : cases) {
    const SourceFile file(folder.Write(std::to_string(index++) + ".zts", "[s]\nk=" + c.value));
    const std::string value = file.GetString("s", "k", "");
    EXPECT_EQ(value.size(), c.expected.size()) << c.value.size();
    EXPECT_TRUE(value == c.expected) << c.value.size();
  }
#ifndef _WIN32
  // Wine's profile API crashes on such a default; the compiler's defaults are
  // values read before, never longer than the buffer.
  const SourceFile file(folder.Write("default.zts", ""));
  EXPECT_TRUE(file.GetString("s", "k", std::string(40000, 'c').c_str()) == std::string(32766, 'c'));
#endif
}

TEST(SourceSectionTest, EmptyValuesReadAsMissingKeys) {
  const TestFolder folder;
  const SourceFile file(folder.Write(
      "a.zts", "[basis]\r\nempty=\r\nquoted=''\r\nname=x\r\nversion=11\r\n[other]\r\n"));
  const SourceSection basis(file, "BASIS");
  EXPECT_EQ(basis.ReadString("empty", "d"), "d");
  EXPECT_EQ(basis.ReadString("quoted", "d"), "d");
  EXPECT_EQ(basis.ReadString("missing", "d"), "d");
  EXPECT_EQ(basis.ReadString("missing"), "");
  EXPECT_EQ(basis.ReadString("NAME", "d"), "x");
  EXPECT_EQ(basis.ReadInt("VERSION", 0), 11);
  EXPECT_EQ(basis.ReadInt("missing", 0), 0);
  EXPECT_EQ(basis.ReadInt("empty", -3), -3);

  const SourceSection other(file, "other");
  EXPECT_EQ(other.ReadString("name", "d"), "d");
  const SourceSection missing(file, "missing");
  EXPECT_EQ(missing.ReadInt("version", 10), 10);
}

}  // namespace
}  // namespace zet
