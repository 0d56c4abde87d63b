#include "tests/support/test_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#ifdef _WIN32
#include <direct.h>
#endif

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>

namespace zet {
namespace {

const char kSeparator = static_cast<char>(std::filesystem::path::preferred_separator);

}  // namespace

TestFolder::TestFolder() {
  const std::filesystem::path temp = std::filesystem::temp_directory_path();
  std::random_device random;
  for (;;) {
    const std::filesystem::path folder = temp / ("zet_test_" + std::to_string(random()));
    if (std::filesystem::create_directory(folder)) {
      path_ = folder.string();
      return;
    }
  }
}

TestFolder::~TestFolder() {
  namespace fs = std::filesystem;
  std::error_code ignored;
  // Windows will not delete a read-only file.
  for (const auto& entry : fs::recursive_directory_iterator(fs::path(path_), ignored)) {
    fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add, ignored);
  }
  fs::remove_all(fs::path(path_), ignored);
}

std::string TestFolder::PathOf(const std::string& name) const {
  return path_ + kSeparator + name;
}

std::string TestFolder::Write(const std::string& name, const std::string& bytes) const {
  const std::string path = PathOf(name);
  // The narrow path is taken in the ANSI code page, as the compiler takes it.
  std::ofstream file(path.c_str(), std::ios::binary | std::ios::trunc);
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  file.close();
  EXPECT_TRUE(file.good()) << path;
  return path;
}

std::string TestFolder::MakeFolder(const std::string& name) const {
  const std::string path = PathOf(name);
  // Not std::filesystem: it would take a Shift-JIS name for UTF-8 on Windows.
#ifdef _WIN32
  EXPECT_EQ(_mkdir(path.c_str()), 0) << path;
#else
  EXPECT_EQ(mkdir(path.c_str(), 0777), 0) << path;
#endif
  return path;
}

std::vector<std::string> TestFolder::Entries() const {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(path_))) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

CurrentFolderScope::CurrentFolderScope(const std::string& folder)
    : previous_(std::filesystem::current_path().string()) {
  std::filesystem::current_path(std::filesystem::path(folder));
}

CurrentFolderScope::~CurrentFolderScope() {
  std::error_code ignored;
  std::filesystem::current_path(std::filesystem::path(previous_), ignored);
}

std::string CurrentFolderPath() {
  return std::filesystem::current_path().string();
}

}  // namespace zet
