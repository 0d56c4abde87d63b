#include <windows.h>

#include <cstdio>
#include <string>

#include "compiler/output/output_file.h"
#include "platform/shift_jis.h"
#include "platform/system_error.h"
#include "platform/win32_error.h"

namespace zet {
namespace {

constexpr int kNameTries = 100;

HANDLE AsHandle(intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}

[[noreturn]] void ThrowLastError() {
  throw Win32Error{LastSystemError()};
}

// The output's folder with its separator ("" for the current folder); walks
// characters, so that a trail byte 0x5C is no separator.
std::string FolderOf(const std::string& path) {
  size_t after = 0;
  for (size_t pos = 0; pos < path.size(); pos += CharSize(path, pos)) {
    if (path[pos] == '\\' || path[pos] == '/' || path[pos] == ':') {
      after = pos + 1;
    }
  }
  return path.substr(0, after);
}

// A name of its own beside the output, of a fixed length whatever the
// output's; no counter, so that no leftover can use all the names up.
std::string RandomName(const std::string& folder, int attempt) {
  LARGE_INTEGER counter;
  QueryPerformanceCounter(&counter);
  const unsigned long long mix =
      static_cast<unsigned long long>(counter.QuadPart) * 0x9E3779B97F4A7C15ull ^
      (static_cast<unsigned long long>(GetCurrentProcessId()) << 32) ^
      static_cast<unsigned long long>(attempt);
  char name[32];
  snprintf(name, sizeof name, "~zetcomp-%016llx.tmp", mix);
  return folder + name;
}

std::string FullPath(const std::string& path) {
  char buffer[MAX_PATH * 4];
  const DWORD length = GetFullPathNameA(path.c_str(), sizeof buffer, buffer, nullptr);
  return length > 0 && length < sizeof buffer ? std::string(buffer, length) : path;
}

}  // namespace

OutputFile::OutputFile(const char* path) : path_(path) {
  CheckReplaceable();
  CreateTemporary();
}

// An existing output must be a file this process could open for writing
// alone; the check leaves it unchanged. The read-only attribute is asked
// first: Windows refuses to open such a file for writing, Wine running as
// root does not.
void OutputFile::CheckReplaceable() {
  const DWORD attributes = GetFileAttributesA(path_.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    throw std::string(kNotRegularFile);
  }
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    throw Win32Error{ERROR_ACCESS_DENIED};
  }
  const UniqueFileHandle existing(reinterpret_cast<intptr_t>(
      CreateFileA(path_.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr)));
  if (!existing.Valid()) {
    if (GetLastError() != ERROR_FILE_NOT_FOUND) {
      ThrowLastError();
    }
    return;
  }
  if (GetFileType(AsHandle(existing.Get())) != FILE_TYPE_DISK) {
    throw std::string(kNotRegularFile);  // NUL, COM1, a pipe
  }
  replacing_ = true;
}

void OutputFile::CreateTemporary() {
  const std::string folder = FolderOf(path_);
  for (int n = 0; n < kNameTries; ++n) {
    const std::string name = RandomName(folder, n);
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

// The file is closed first: the move needs it, and share mode 0 keeps it from
// everyone, this process included. An existing output is replaced with
// ReplaceFileA, which gives the new file the attributes and security of the
// old one, as truncating it in place would have kept them.
void OutputFile::Commit() {
  handle_.Close();
  const BOOL moved =
      replacing_ ? ReplaceFileA(FullPath(path_).c_str(), FullPath(temporaryPath_).c_str(), nullptr,
                                REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)
                 : MoveFileExA(temporaryPath_.c_str(), path_.c_str(), MOVEFILE_REPLACE_EXISTING);
  if (!moved) {
    ThrowLastError();
  }
  committed_ = true;
}

}  // namespace zet
