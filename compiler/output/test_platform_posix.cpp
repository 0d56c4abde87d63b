#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <stdexcept>

#include "compiler/output/test_platform.h"

namespace zet {

ExclusiveHold::ExclusiveHold(const std::string& path) {
  handle_.Reset(open(path.c_str(), O_WRONLY | O_CLOEXEC));
  if (!handle_.Valid()) {
    throw std::runtime_error("cannot hold " + path);
  }
  if (flock(handle_.Get(), LOCK_EX | LOCK_NB) != 0) {
    throw std::runtime_error("cannot lock " + path);
  }
}

void ExtendFile(const std::string& path, uint64_t size) {
  if (truncate(path.c_str(), static_cast<off_t>(size)) != 0) {
    throw std::runtime_error("cannot extend " + path);
  }
}

}  // namespace zet
