// Access to the sections and keys of one source file, read the way the
// Windows profile API reads it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace zet {

class ProfileIndex;

// The absolute path of an existing source path; throws Win32Error.
std::string ResolveFullPath(const char* path);
// The absolute path made from the text of `path` and the current folder,
// whether or not anything exists there; throws Win32Error.
std::string FullPathOf(const char* path);

// The text of a source as the profile API reads it: a file that starts with
// FF FE is UTF-16LE and is handed on in code page 932. A file that cannot be
// read reads as empty.
std::string ReadSourceText(const std::string& fullPath);

// One source file opened for reading during one compilation. The Windows
// build holds the path and asks the profile API on every read; the Linux
// build reads and indexes the file once, here.
class SourceFile {
 public:
  explicit SourceFile(const std::string& fullPath);
  // Reads through `index`, which outlives it, on every platform: tools that
  // must also know where each value stands read with the one reader.
  explicit SourceFile(const ProfileIndex& index);
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
  std::unique_ptr<Index> index_;           // Linux build only
  const ProfileIndex* profile_ = nullptr;  // the index read from, if any
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
