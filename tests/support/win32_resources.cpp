#include "tests/support/win32_resources.h"

namespace zet {
namespace {

BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR found) {
  reinterpret_cast<std::vector<WORD>*>(found)->push_back(language);
  return TRUE;
}

}  // namespace

std::string ShiftJis(const std::u16string& text) {
  const auto* wide = reinterpret_cast<const wchar_t*>(text.c_str());
  std::string out(text.size() * 2 + 1, '\0');
  out.resize(WideCharToMultiByte(932, 0, wide, static_cast<int>(text.size()), out.data(),
                                 static_cast<int>(out.size()), nullptr, nullptr));
  return out;
}

ResourceFields::ResourceFields(const void* data, size_t size)
    : data_(static_cast<const BYTE*>(data)), size_(data != nullptr ? size : 0) {}

DWORD ResourceFields::Read(size_t bytes) {
  DWORD value = 0;
  for (size_t i = 0; i < bytes; ++i) {
    if (pos_ + i < size_) {
      value |= static_cast<DWORD>(data_[pos_ + i]) << (8 * i);
    }
  }
  pos_ += bytes;
  return value;
}

std::u16string ResourceFields::Text() {
  std::u16string text;
  for (char16_t c = Word(); c != 0 && !Overrun(); c = Word()) {
    text += c;
  }
  return text;
}

std::string ResourceFields::NameOrOrdinal() {
  if (pos_ + 2 <= size_ && data_[pos_] == 0xFF && data_[pos_ + 1] == 0xFF) {
    Word();
    return "#" + std::to_string(Word());
  }
  return ShiftJis(Text());
}

std::vector<WORD> ResourceLanguages(HMODULE module, LPCWSTR type, LPCWSTR name) {
  std::vector<WORD> languages;
  EnumResourceLanguagesW(module, type, name, CollectLanguage,
                         reinterpret_cast<LONG_PTR>(&languages));
  return languages;
}

ResourceFields JapaneseResource(HMODULE module, LPCWSTR type, LPCWSTR name) {
  const HRSRC found = FindResourceExW(module, type, name, kJapanese);
  if (found == nullptr) {
    return ResourceFields(nullptr, 0);
  }
  return ResourceFields(LockResource(LoadResource(module, found)), SizeofResource(module, found));
}

VersionBlock::VersionBlock(const std::wstring& path) {
  DWORD handle = 0;
  data_.resize(GetFileVersionInfoSizeW(path.c_str(), &handle));
  if (!data_.empty() &&
      !GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(data_.size()), data_.data())) {
    data_.clear();
  }
}

const void* VersionBlock::Value(const wchar_t* name, UINT* size) {
  void* value = nullptr;
  *size = 0;
  return !data_.empty() && VerQueryValueW(data_.data(), name, &value, size) ? value : nullptr;
}

std::u16string VersionBlock::String(const std::string& asciiName) {
  const std::wstring name(asciiName.begin(), asciiName.end());
  UINT size = 0;
  const auto* text =
      static_cast<const char16_t*>(Value((L"\\StringFileInfo\\041104b0\\" + name).c_str(), &size));
  return text == nullptr || size == 0 ? u"(missing)" : std::u16string(text);
}

const VS_FIXEDFILEINFO* VersionBlock::Fixed() {
  UINT size = 0;
  const void* fixed = Value(L"\\", &size);
  return size == sizeof(VS_FIXEDFILEINFO) ? static_cast<const VS_FIXEDFILEINFO*>(fixed) : nullptr;
}

}  // namespace zet
