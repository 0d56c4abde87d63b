#include <windows.h>

#include "platform/system_handles.h"
#include "zetdump/files.h"

namespace zetdump {

using zetreader::FileError;

bool NameTaken(const std::string& path) {
  if (GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) {
    return true;
  }
  const DWORD error = GetLastError();
  return error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND;  // no folder yet
}

bool CreateNewFile(const std::string& path, const std::string& bytes, bool& written) {
  const zet::UniqueFileHandle file(reinterpret_cast<intptr_t>(CreateFileA(
      path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr)));
  written = file.Valid();
  if (!file.Valid()) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) {
      return false;
    }
    throw FileError{path, "ファイルを書けません。"};
  }
  DWORD done = 0;
  return WriteFile(reinterpret_cast<HANDLE>(file.Get()), bytes.data(),
                   static_cast<DWORD>(bytes.size()), &done, nullptr) &&
         done == bytes.size();
}

bool MakeFolder(const std::string& path) {
  if (CreateDirectoryA(path.c_str(), nullptr)) {
    return true;
  }
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return false;
  }
  throw FileError{path, "フォルダーを作れません。"};
}

void RemoveFile(const std::string& path) {
  DeleteFileA(path.c_str());
}

void RemoveFolder(const std::string& path) {
  RemoveDirectoryA(path.c_str());
}

}  // namespace zetdump
