#include <windows.h>

#include "platform/system_handles.h"
#include "platform/whole_file.h"

namespace zet {

uint32_t WriteWholeFile(const std::string& path, std::string_view bytes) {
  const std::string partial = path + ".~" + std::to_string(GetCurrentProcessId());
  DWORD error = ERROR_SUCCESS;
  {
    const UniqueFileHandle file(reinterpret_cast<intptr_t>(CreateFileA(
        partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr)));
    if (!file.Valid()) {
      return GetLastError();
    }
    DWORD done = 0;
    if (!WriteFile(reinterpret_cast<HANDLE>(file.Get()), bytes.data(),
                   static_cast<DWORD>(bytes.size()), &done, nullptr)) {
      error = GetLastError();
    } else if (done != bytes.size()) {
      error = ERROR_DISK_FULL;
    }
  }  // closed, so that it can be moved or removed
  if (error == ERROR_SUCCESS &&
      !MoveFileExA(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    error = GetLastError();
  }
  if (error != ERROR_SUCCESS) {
    DeleteFileA(partial.c_str());
  }
  return error;
}

}  // namespace zet
