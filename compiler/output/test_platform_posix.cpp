#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <stdexcept>

#include "compiler/output/test_platform.h"

namespace zet {

ExclusiveHold::ExclusiveHold(const std::string& path) {
  const int fd = open(path.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) {
    throw std::runtime_error("cannot hold " + path);
  }
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    close(fd);
    throw std::runtime_error("cannot lock " + path);
  }
  handle_ = fd;
}

ExclusiveHold::~ExclusiveHold() {
  close(static_cast<int>(handle_));
}

void ExtendFile(const std::string& path, uint64_t size) {
  if (truncate(path.c_str(), static_cast<off_t>(size)) != 0) {
    throw std::runtime_error("cannot extend " + path);
  }
}

}  // namespace zet
