#include <sys/stat.h>

#include <string>

#include "compiler/output/file_identity.h"
#include "platform/shift_jis.h"

namespace zet {

std::optional<FileIdentity> FindFileIdentity(const char* path) {
  struct stat status;
  if (stat(ToPosixPath(path).c_str(), &status) != 0) {
    return std::nullopt;
  }
  return FileIdentity{static_cast<uint64_t>(status.st_dev), static_cast<uint64_t>(status.st_ino)};
}

}  // namespace zet
