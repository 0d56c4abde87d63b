#include <fcntl.h>
#include <sys/file.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "compiler/common/system_error.h"
#include "compiler/common/win32_error.h"
#include "compiler/output/file_map.h"
#include "compiler/output/posix_path.h"

namespace zet {
namespace {

constexpr uint32_t kErrorSharingViolation = 32;
constexpr uint32_t kErrorFileInvalid = 1006;  // what Windows says to mapping an empty file

int AsDescriptor(intptr_t handle) {
  return static_cast<int>(handle);
}

[[noreturn]] void ThrowErrno(const char* path = nullptr) {
  throw Win32Error{Win32CodeFromErrno(errno, path)};
}

// Owns a descriptor until it is handed to a holder, so that a failed check
// after open() does not leak it.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) {
      close(fd_);
    }
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;

  int Get() const { return fd_; }
  int Release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
};

}  // namespace

InputFile::InputFile(const char* path) : handle_(-1) {
  const std::string posixPath = ToPosixPath(path);
  // O_NONBLOCK: a FIFO named as a bitmap must not hang the compiler.
  Descriptor fd(open(posixPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (fd.Get() < 0) {
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
  handle_ = fd.Release();
}

InputFile::~InputFile() {
  close(AsDescriptor(handle_));
}

uint64_t InputFile::GetSize() const {
  struct stat status;
  if (fstat(AsDescriptor(handle_), &status) != 0) {
    ThrowErrno();
  }
  return static_cast<uint64_t>(status.st_size);
}

FileMapping::FileMapping(const InputFile& file) : handle_(-1) {
  struct stat status;
  if (fstat(AsDescriptor(file.handle_), &status) != 0) {
    ThrowErrno();
  }
  if (status.st_size <= 0) {
    throw Win32Error{kErrorFileInvalid};
  }
  const int fd = fcntl(AsDescriptor(file.handle_), F_DUPFD_CLOEXEC, 0);
  if (fd < 0) {
    ThrowErrno();
  }
  handle_ = fd;
}

FileMapping::~FileMapping() {
  close(AsDescriptor(handle_));
}

MappedView::MappedView(const FileMapping& mapping, uint32_t length) : base_(nullptr) {
  void* base = mmap(nullptr, length, PROT_READ, MAP_PRIVATE, AsDescriptor(mapping.handle_), 0);
  if (base == MAP_FAILED) {
    ThrowErrno();
  }
  base_ = static_cast<const uint8_t*>(base);
  length_ = length;
}

MappedView::~MappedView() {
  munmap(const_cast<uint8_t*>(base_), length_);
}

}  // namespace zet
