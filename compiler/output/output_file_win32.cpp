#include <windows.h>

#include <string>

#include "compiler/common/system_error.h"
#include "compiler/common/win32_error.h"
#include "compiler/output/output_file.h"

namespace zet {
namespace {

constexpr int kTemporaryNameTries = 100;

HANDLE AsHandle(intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}

[[noreturn]] void ThrowLastError() {
  throw Win32Error{LastSystemError()};
}

}  // namespace

OutputFile::OutputFile(const char* path) : path_(path) {
  CheckReplaceable();
  CreateTemporary();
}

// An existing output must be one this process could open for writing alone;
// the check leaves it unchanged. The read-only attribute is asked first:
// Windows refuses to open such a file for writing, Wine running as root
// does not.
void OutputFile::CheckReplaceable() const {
  const DWORD attributes = GetFileAttributesA(path_.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    throw Win32Error{ERROR_ACCESS_DENIED};
  }
  const UniqueFileHandle existing(reinterpret_cast<intptr_t>(
      CreateFileA(path_.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr)));
  if (!existing.Valid() && GetLastError() != ERROR_FILE_NOT_FOUND) {
    ThrowLastError();
  }
}

void OutputFile::CreateTemporary() {
  for (int n = 0; n < kTemporaryNameTries; ++n) {
    const std::string name = path_ + ".~" + std::to_string(n);
    HANDLE handle = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_ARCHIVE, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
      temporaryPath_ = name;
      handle_.Reset(reinterpret_cast<intptr_t>(handle));
      return;
    }
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) {
      throw Win32Error{error};
    }
  }
  throw Win32Error{ERROR_FILE_EXISTS};
}

OutputFile::~OutputFile() {
  handle_.Close();
  if (!committed_) {
    DeleteFileA(temporaryPath_.c_str());
  }
}

uint32_t OutputFile::GetSize() const {
  const DWORD size = GetFileSize(AsHandle(handle_.Get()), nullptr);
  if (size == INVALID_FILE_SIZE) {
    ThrowLastError();
  }
  return size;
}

uint32_t OutputFile::Write(const void* data, uint32_t length) {
  const uint32_t offset = GetSize();
  DWORD written = 0;
  if (!WriteFile(AsHandle(handle_.Get()), data, length, &written, nullptr)) {
    ThrowLastError();
  }
  return offset;
}

void OutputFile::Rewind() {
  if (SetFilePointer(AsHandle(handle_.Get()), 0, nullptr, FILE_BEGIN) == INVALID_SET_FILE_POINTER) {
    ThrowLastError();
  }
}

void OutputFile::Commit() {
  // The file is closed first: the move needs it, and share mode 0 keeps it
  // from everyone, this process included.
  handle_.Close();
  if (!MoveFileExA(temporaryPath_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    ThrowLastError();
  }
  committed_ = true;
}

}  // namespace zet
