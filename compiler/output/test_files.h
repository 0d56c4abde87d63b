// Real files in a temporary folder for the tests of this folder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zet {

// A fresh folder, removed with its contents when the test ends.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& Path() const { return path_; }
  std::string PathOf(const std::string& name) const { return path_ + "/" + name; }
  // Names of the entries in the folder, sorted.
  std::vector<std::string> Entries() const;

 private:
  std::string path_;
};

// The current folder for the life of the scope.
class CurrentFolderScope {
 public:
  explicit CurrentFolderScope(const std::string& folder);
  ~CurrentFolderScope();
  CurrentFolderScope(const CurrentFolderScope&) = delete;
  CurrentFolderScope& operator=(const CurrentFolderScope&) = delete;

 private:
  std::string previous_;
};

// Narrow (Shift-JIS) paths as the system's ANSI calls take them.
void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);
// ASCII names only.
bool FileExists(const std::string& path);
void SetReadOnly(const std::string& path, bool readOnly);

// Little-endian fields in a byte string.
uint32_t Get32(const std::string& bytes, size_t offset);
void Put32(std::string& bytes, size_t offset, uint32_t value);
void Put16(std::string& bytes, size_t offset, uint16_t value);

// An uncompressed BMP file with a 40-byte info header, a full colour table
// for 8 bits and fewer (or `colorsUsed` entries), and pixel bytes that
// differ from row to row. A negative height stores the rows top-down.
std::string MakeBitmap(int32_t width, int32_t height, uint16_t bitCount, uint32_t colorsUsed = 0);

// The compiled file's UTF-16LE string block for an ASCII text.
std::string WideBlock(const std::string& ascii);

}  // namespace zet
