#include <windows.h>

#include "compiler/output/file_identity.h"
#include "platform/system_handles.h"

namespace zet {
std::optional<FileIdentity> FindFileIdentity(const char* path) {
  // No access rights asked: the query works on files others hold open.
  const UniqueFileHandle handle(reinterpret_cast<intptr_t>(
      CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)));
  BY_HANDLE_FILE_INFORMATION information;
  if (!handle.Valid() ||
      !GetFileInformationByHandle(reinterpret_cast<HANDLE>(handle.Get()), &information)) {
    return std::nullopt;
  }
  return FileIdentity{information.dwVolumeSerialNumber,
                      uint64_t{information.nFileIndexHigh} << 32 | information.nFileIndexLow};
}

}  // namespace zet
