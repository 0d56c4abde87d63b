// Access to the sections and keys of one source file, read the way the
// Windows profile API reads it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace zet {

// The absolute path of an existing source path; throws Win32Error.
std::string ResolveFullPath(const char* path);

// One source file opened for reading during one compilation. The Windows
// build holds the path and asks the profile API on every read; the Linux
// build reads and indexes the file once, here.
class SourceFile {
 public:
  explicit SourceFile(const std::string& fullPath);
  ~SourceFile();
  SourceFile(const SourceFile&) = delete;
  SourceFile& operator=(const SourceFile&) = delete;

  // As GetPrivateProfileStringA with a 32767-byte buffer: the value, cut at
  // 32766 bytes, or the default when the key is missing.
  std::string GetString(const char* section, const char* key, const char* defaultText) const;
  // As GetPrivateProfileIntA.
  int32_t GetInt(const char* section, const char* key, int32_t defaultValue) const;

 private:
  struct Index;
  std::string path_;
  std::unique_ptr<Index> index_;  // Linux build only
};

// Reader of one section; never fails.
class SourceSection {
 public:
  SourceSection(const SourceFile& file, const char* section);

  // A key that is missing or empty gives the default.
  std::string ReadString(const char* key, const char* defaultText = "") const;
  int32_t ReadInt(const char* key, int32_t defaultValue) const;

 private:
  const SourceFile& file_;
  std::string section_;
};

}  // namespace zet
