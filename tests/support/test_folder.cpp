#include "tests/support/test_folder.h"

#include <sys/stat.h>
#ifdef _WIN32
#include <direct.h>
#endif

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <random>
#include <stdexcept>

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
  WriteFile(path, bytes);
  return path;
}

std::string TestFolder::MakeFolder(const std::string& name) const {
  const std::string path = PathOf(name);
  zet::MakeFolder(path);
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

// stdio and the C runtime take narrow paths in the ANSI code page, as the
// compiler does; std::filesystem would take them for UTF-8 on Windows.
void WriteFile(const std::string& path, const std::string& bytes) {
  FILE* file = fopen(path.c_str(), "wb");
  if (file == nullptr) {
    throw std::runtime_error("cannot create " + path);
  }
  const size_t written = fwrite(bytes.data(), 1, bytes.size(), file);
  const bool closed = fclose(file) == 0;
  if (written != bytes.size() || !closed) {
    throw std::runtime_error("cannot write " + path);
  }
}

std::string ReadFile(const std::string& path) {
  FILE* file = fopen(path.c_str(), "rb");
  if (file == nullptr) {
    throw std::runtime_error("cannot open " + path);
  }
  std::string bytes;
  char buffer[65536];
  size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, file)) > 0) {
    bytes.append(buffer, got);
  }
  fclose(file);
  return bytes;
}

void MakeFolder(const std::string& path) {
#ifdef _WIN32
  const int made = _mkdir(path.c_str());
#else
  const int made = mkdir(path.c_str(), 0777);
#endif
  if (made != 0) {
    throw std::runtime_error("cannot make folder " + path);
  }
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
