#include <sys/stat.h>

#include <cerrno>
#include <string>

#include "platform/system_error.h"
#include "platform/win32_error.h"

namespace zet {
namespace {

// Whether the folder part of `path` names an existing folder.
bool ParentFolderExists(const char* path) {
  std::string parent(path);
  while (parent.size() > 1 && parent.back() == '/') {
    parent.pop_back();  // "dir/" names dir itself
  }
  const size_t slash = parent.rfind('/');
  if (slash == std::string::npos) {
    parent = ".";
  } else {
    parent.resize(slash == 0 ? 1 : slash);
  }
  struct stat status;
  return stat(parent.c_str(), &status) == 0 && S_ISDIR(status.st_mode);
}

}  // namespace

uint32_t Win32CodeFromErrno(int error, const char* path) {
  switch (error) {
    case ENOENT:
      return path != nullptr && !ParentFolderExists(path) ? kErrorPathNotFound : kErrorFileNotFound;
    case ENOTDIR:
      return kErrorPathNotFound;
    case EACCES:
    case EPERM:
    case EISDIR:
      return kErrorAccessDenied;
    case EBUSY:
    case ETXTBSY:
      return kErrorSharingViolation;
    case ENOSPC:
    case EDQUOT:
      return kErrorDiskFull;
    case EROFS:
      return kErrorWriteProtect;
    case ENAMETOOLONG:
      return kErrorFilenameExcedRange;
    case ELOOP:
      return kErrorCantResolveFilename;
    case EMFILE:
    case ENFILE:
      return kErrorTooManyOpenFiles;
    case ENOMEM:
      return kErrorNotEnoughMemory;
    case EEXIST:
      return kErrorFileExists;
    case EINVAL:
      return kErrorInvalidParameter;
    default:
      return kErrorGenFailure;
  }
}

uint32_t LastSystemError() {
  return Win32CodeFromErrno(errno);
}

}  // namespace zet
