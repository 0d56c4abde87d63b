// Resources read back from a built Windows program, for the tests that check
// its dialog templates and version block field by field.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace zet {

constexpr WORD kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);

// The Shift-JIS form of a UTF-16 text, as the programs' literals hold it.
std::string ShiftJis(const std::u16string& text);

// Reads a resource's fields in order, little-endian, with the alignment the
// formats ask for. Reading past the end gives zeros and sets Overrun.
class ResourceFields {
 public:
  ResourceFields(const void* data, size_t size);

  BYTE Byte() { return static_cast<BYTE>(Read(1)); }
  WORD Word() { return static_cast<WORD>(Read(2)); }
  DWORD Dword() { return Read(4); }
  short Short() { return static_cast<short>(Word()); }
  // Up to its terminating 0.
  std::u16string Text();
  // A name, in Shift-JIS, or an ordinal: "#n" for the ordinal n ("" when absent).
  std::string NameOrOrdinal();
  void AlignTo4() { pos_ = (pos_ + 3) & ~size_t{3}; }
  bool Overrun() const { return pos_ > size_; }

 private:
  DWORD Read(size_t bytes);

  const BYTE* data_;
  size_t size_;
  size_t pos_ = 0;
};

// The languages in which the module holds resource `name` of `type`.
std::vector<WORD> ResourceLanguages(HMODULE module, LPCWSTR type, LPCWSTR name);

// The Japanese resource `name` of `type`, walked from its start; an empty
// walk when it is missing.
ResourceFields JapaneseResource(HMODULE module, LPCWSTR type, LPCWSTR name);

// The version block of a program file, read the way Explorer reads it.
class VersionBlock {
 public:
  explicit VersionBlock(const std::wstring& path);
  bool Empty() const { return data_.empty(); }
  const void* Value(const wchar_t* name, UINT* size);
  // A string of the Japanese Unicode string table; "(missing)" when absent.
  std::u16string String(const std::string& asciiName);
  const VS_FIXEDFILEINFO* Fixed();

 private:
  std::vector<BYTE> data_;
};

}  // namespace zet
