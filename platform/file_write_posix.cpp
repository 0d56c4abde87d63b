#include "platform/file_write_posix.h"

#include <unistd.h>

#include <cerrno>

namespace zet {

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t done = write(fd, bytes.data(), bytes.size());
    if (done < 0 && errno == EINTR) {
      continue;
    }
    if (done <= 0) {
      if (done == 0) {
        errno = 0;
      }
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(done));
  }
  return true;
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) {
    return ".";
  }
  return slash == 0 ? "/" : path.substr(0, slash);
}

}  // namespace zet
