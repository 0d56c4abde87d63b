#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/system_error.h"
#include "platform/system_handles.h"
#include "reader/file_bytes.h"

namespace zetreader {

// O_NONBLOCK: opening a FIFO must not wait for a writer.
FILE* OpenRegularFile(const std::string& path) {
  zet::UniqueDescriptor fd(open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
  if (!fd.Valid()) {
    throw FileError{path, CannotOpenText(zet::Win32CodeFromErrno(errno, path.c_str()))};
  }
  struct stat status;
  if (fstat(fd.Get(), &status) != 0 || !S_ISREG(status.st_mode)) {
    throw FileError{path, "ファイルではないので読みません。"};
  }
  FILE* file = fdopen(fd.Get(), "rb");
  if (file == nullptr) {
    throw FileError{path, CannotOpenText(zet::LastSystemError())};
  }
  fd.Release();
  return file;
}

}  // namespace zetreader
