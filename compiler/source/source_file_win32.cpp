// The Windows build: the path calls and the profile API, one call per read.
#include <windows.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "compiler/source/profile_index.h"
#include "compiler/source/source_file.h"
#include "platform/shift_jis.h"
#include "platform/system_handles.h"
#include "platform/win32_error.h"

namespace zet {

struct SourceFile::Index {};

namespace {

constexpr DWORD kValueBufferSize = 32767;
constexpr DWORD kFullPathSlack = 1024;

// GetFullPathNameA fails on an empty path without setting a code: the code
// of an earlier failure, or 0 ("completed successfully"), would be reported.
uint32_t PathFailureCode() {
  const DWORD code = GetLastError();
  return code != ERROR_SUCCESS ? code : ERROR_INVALID_NAME;
}

}  // namespace

std::string FullPathOf(const char* path) {
  SetLastError(ERROR_SUCCESS);
  const DWORD needed = GetFullPathNameA(path, 0, nullptr, nullptr);
  if (needed == 0) {
    throw Win32Error{PathFailureCode()};
  }
  std::vector<char> buffer(needed + kFullPathSlack);
  const DWORD length =
      GetFullPathNameA(path, static_cast<DWORD>(buffer.size()), buffer.data(), nullptr);
  if (length == 0) {
    throw Win32Error{PathFailureCode()};
  }
  if (length >= buffer.size()) {
    // Only a current folder changed between the two calls gets here.
    throw Win32Error{ERROR_INSUFFICIENT_BUFFER};
  }
  return std::string(buffer.data(), length);
}

std::string ResolveFullPath(const char* path) {
  std::string full = FullPathOf(path);
  if (GetFileAttributesA(full.c_str()) == INVALID_FILE_ATTRIBUTES) {
    throw Win32Error{PathFailureCode()};
  }
  return full;
}

// What the profile API itself reads; the compiler leaves reading to it.
std::string ReadSourceText(const std::string& fullPath) {
  const UniqueFileHandle file(reinterpret_cast<intptr_t>(
      CreateFileA(fullPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
  std::string bytes;
  if (!file.Valid()) {
    return bytes;
  }
  const HANDLE handle = reinterpret_cast<HANDLE>(file.Get());
  char chunk[65536];
  DWORD got = 0;
  while (ReadFile(handle, chunk, sizeof chunk, &got, nullptr) && got > 0) {
    bytes.append(chunk, got);
  }
  if (bytes.size() < 2 || bytes[0] != '\xFF' || bytes[1] != '\xFE') {
    return bytes;
  }
  const int units = static_cast<int>((bytes.size() - 2) / 2);
  std::wstring wide(static_cast<size_t>(units), L'\0');
  memcpy(wide.data(), bytes.data() + 2, static_cast<size_t>(units) * 2);
  const int length =
      WideCharToMultiByte(CP_ACP, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.data(), units, text.data(), length, nullptr, nullptr);
  return text;
}

SourceFile::SourceFile(const std::string& fullPath) : path_(fullPath) {}

SourceFile::SourceFile(const ProfileIndex& index) : profile_(&index) {}

SourceFile::~SourceFile() = default;

std::string SourceFile::GetString(const char* section, const char* key,
                                  const char* defaultText) const {
  if (profile_ != nullptr) {
    return profile_->GetString(section, key, defaultText);
  }
  std::unique_ptr<char[]> buffer(new char[kValueBufferSize]);
  buffer[0] = '\0';
  // Wine leaves the last byte unwritten when a double-byte character would
  // not fit; it must not read as part of the value.
  buffer[kValueBufferSize - 2] = '\0';
  GetPrivateProfileStringA(section, key, defaultText, buffer.get(), kValueBufferSize,
                           path_.c_str());
  // The count returned is not used: Windows wraps it for values of 64 KiB and
  // more. The terminator is within the buffer.
  buffer[kValueBufferSize - 1] = '\0';
  size_t length = strlen(buffer.get());
  if (length == kValueBufferSize - 1) {
    length = WholeCharsLength(buffer.get(), length);
  }
  return std::string(buffer.get(), length);
}

int32_t SourceFile::GetInt(const char* section, const char* key, int32_t defaultValue) const {
  if (profile_ != nullptr) {
    return profile_->GetInt(section, key, defaultValue);
  }
  return static_cast<int32_t>(GetPrivateProfileIntA(section, key, defaultValue, path_.c_str()));
}

}  // namespace zet
