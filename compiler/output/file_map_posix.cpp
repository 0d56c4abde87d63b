#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <utility>

#include "compiler/output/file_map.h"
#include "platform/shift_jis.h"
#include "platform/system_error.h"
#include "platform/win32_error.h"

namespace zet {
namespace {

[[noreturn]] void ThrowErrno(const char* path = nullptr) {
  throw Win32Error{Win32CodeFromErrno(errno, path)};
}

}  // namespace

InputFile::InputFile(const char* path) {
  const std::string posixPath = ToPosixPath(path);
  // O_NONBLOCK: a FIFO named as a bitmap must not hang the compiler.
  UniqueDescriptor fd(open(posixPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (!fd.Valid()) {
    ThrowErrno(posixPath.c_str());
  }
  struct stat status;
  if (fstat(fd.Get(), &status) != 0) {
    ThrowErrno();
  }
  if (S_ISDIR(status.st_mode)) {
    throw Win32Error{kErrorAccessDenied};  // Windows does not open a folder as a file
  }
  // Shared reading: a writer holding the file exclusively keeps us out, and
  // we keep a writer out while the file is open.
  if (flock(fd.Get(), LOCK_SH | LOCK_NB) != 0) {
    throw Win32Error{errno == EWOULDBLOCK ? kErrorSharingViolation : Win32CodeFromErrno(errno)};
  }
  handle_ = std::move(fd);
}

uint64_t InputFile::GetSize() const {
  struct stat status;
  if (fstat(handle_.Get(), &status) != 0) {
    ThrowErrno();
  }
  return static_cast<uint64_t>(status.st_size);
}

FileMapping::FileMapping(const InputFile& file) {
  struct stat status;
  if (fstat(file.handle_.Get(), &status) != 0) {
    ThrowErrno();
  }
  if (status.st_size <= 0) {
    throw Win32Error{kErrorFileInvalid};
  }
  handle_.Reset(fcntl(file.handle_.Get(), F_DUPFD_CLOEXEC, 0));
  if (!handle_.Valid()) {
    ThrowErrno();
  }
}

MappedView::MappedView(const FileMapping& mapping, uint32_t length) {
  void* base = mmap(nullptr, length, PROT_READ, MAP_PRIVATE, mapping.handle_.Get(), 0);
  if (base == MAP_FAILED) {
    ThrowErrno();
  }
  view_.Reset(MappedRegion{static_cast<const uint8_t*>(base), length});
}

}  // namespace zet
