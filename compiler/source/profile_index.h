// The sections and keys of one profile file, indexed once and looked up the
// way the Windows profile API looks them up. The Linux build reads sources
// with it; the Windows build asks the profile API itself.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>

namespace zet {

// The caller's buffer is 32767 bytes; one is the terminator.
constexpr size_t kProfileValueMax = 32766;

class ProfileIndex {
 public:
  // `text`: the whole file in code page 932.
  explicit ProfileIndex(const std::string& text);

  // As GetPrivateProfileStringA with a 32767-byte buffer.
  std::string GetString(const char* section, const char* key, const char* defaultText) const;
  // As GetPrivateProfileIntA.
  int32_t GetInt(const char* section, const char* key, int32_t defaultValue) const;

 private:
  // Folded names to values.
  using Keys = std::unordered_map<std::string, std::string>;

  void AddLine(const char* begin, const char* end, Keys*& current);
  const std::string* Find(const char* section, const char* key) const;

  std::unordered_map<std::string, Keys> sections_;
};

// A value that is not empty read as GetPrivateProfileIntA reads it.
int32_t ProfileInteger(const std::string& value);

}  // namespace zet
