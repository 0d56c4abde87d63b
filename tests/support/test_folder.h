// Real files for the tests of every folder: a fresh folder under the
// system's temporary folder for one test, removed with everything in it
// (read-only files too) when the test ends.
#pragma once

#include <string>
#include <vector>

namespace zet {

class TestFolder {
 public:
  TestFolder();
  ~TestFolder();
  TestFolder(const TestFolder&) = delete;
  TestFolder& operator=(const TestFolder&) = delete;

  const std::string& Path() const { return path_; }
  // The folder, the platform's separator and `name`.
  std::string PathOf(const std::string& name) const;
  // Writes `bytes` as file `name` and returns its path.
  std::string Write(const std::string& name, const std::string& bytes) const;
  // Makes folder `name` and returns its path.
  std::string MakeFolder(const std::string& name) const;
  // Names of the entries in the folder, sorted.
  std::vector<std::string> Entries() const;

 private:
  std::string path_;
};

// Narrow (Shift-JIS) paths as the system's ANSI calls take them; each
// throws std::runtime_error when the system refuses.
void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);
void MakeFolder(const std::string& path);

// Makes `folder` the current folder until the end of the scope.
class CurrentFolderScope {
 public:
  explicit CurrentFolderScope(const std::string& folder);
  ~CurrentFolderScope();
  CurrentFolderScope(const CurrentFolderScope&) = delete;
  CurrentFolderScope& operator=(const CurrentFolderScope&) = delete;

 private:
  std::string previous_;
};

// The current folder as the platform's path calls report it.
std::string CurrentFolderPath();

}  // namespace zet
