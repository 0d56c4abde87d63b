#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_write_posix.h"
#include "platform/system_error.h"
#include "platform/system_handles.h"
#include "platform/whole_file.h"
#include "platform/win32_error.h"

namespace zet {

uint32_t WriteWholeFile(const std::string& path, std::string_view bytes) {
  // A name of a fixed length, whatever the target's.
  std::string partial = FolderOf(path) + "/.zetrova-XXXXXX";
  UniqueDescriptor fd(mkstemp(partial.data()));
  if (!fd.Valid()) {
    return Win32CodeFromErrno(errno, partial.c_str());
  }
  // mkstemp makes the file private; a new file gets what the umask allows.
  const mode_t mask = umask(0);
  umask(mask);
  const bool written = WriteAll(fd.Get(), bytes) && fchmod(fd.Get(), 0666 & ~mask) == 0 &&
                       close(fd.Release()) == 0 && rename(partial.c_str(), path.c_str()) == 0;
  if (written) {
    return 0;
  }
  const uint32_t code = errno == 0 ? kErrorDiskFull : Win32CodeFromErrno(errno);
  unlink(partial.c_str());
  return code;
}

}  // namespace zet
