#include "compiler/common/write_all_posix.h"

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

}  // namespace zet
