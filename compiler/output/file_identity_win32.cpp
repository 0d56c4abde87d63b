#include <windows.h>

#include "compiler/output/file_identity.h"

namespace zet {
namespace {

// A handle opened only to ask about the file.
class QueryHandle {
 public:
  explicit QueryHandle(const char* path)
      // No access rights asked: the query works on files others hold open.
      : handle_(CreateFileA(path, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr)) {}
  ~QueryHandle() {
    if (handle_ != INVALID_HANDLE_VALUE) {
      CloseHandle(handle_);
    }
  }
  QueryHandle(const QueryHandle&) = delete;
  QueryHandle& operator=(const QueryHandle&) = delete;

  HANDLE Get() const { return handle_; }

 private:
  HANDLE handle_;
};

}  // namespace

std::optional<FileIdentity> FindFileIdentity(const char* path) {
  QueryHandle handle(path);
  BY_HANDLE_FILE_INFORMATION information;
  if (handle.Get() == INVALID_HANDLE_VALUE ||
      !GetFileInformationByHandle(handle.Get(), &information)) {
    return std::nullopt;
  }
  return FileIdentity{information.dwVolumeSerialNumber,
                      uint64_t{information.nFileIndexHigh} << 32 | information.nFileIndexLow};
}

}  // namespace zet
