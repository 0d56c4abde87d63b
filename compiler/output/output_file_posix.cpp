#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <string>

#include "compiler/output/output_file.h"
#include "platform/file_write_posix.h"
#include "platform/shift_jis.h"
#include "platform/system_error.h"
#include "platform/win32_error.h"

namespace zet {
namespace {

constexpr int kNameTries = 100;

// A write past the file size limit is a full disk to the user, as on Windows.
uint32_t WriteError(int error) {
  return error == EFBIG ? kErrorDiskFull : Win32CodeFromErrno(error);
}

uint32_t LockError(int error) {
  return error == EWOULDBLOCK ? kErrorSharingViolation : Win32CodeFromErrno(error);
}

// Creating a file: a missing entry can only be a missing folder.
[[noreturn]] void ThrowCreateError(int error, const std::string& path) {
  const uint32_t code = Win32CodeFromErrno(error, path.c_str());
  throw Win32Error{code == kErrorFileNotFound ? kErrorPathNotFound : code};
}

// A name of its own in `folder`, of a fixed length whatever the output's.
std::string RandomName(const std::string& folder) {
  unsigned char bytes[8] = {};
  if (getrandom(bytes, sizeof bytes, 0) != static_cast<ssize_t>(sizeof bytes)) {
    throw Win32Error{LastSystemError()};
  }
  char name[32];
  int length = snprintf(name, sizeof name, ".zetcomp-");
  for (unsigned char byte : bytes) {
    length += snprintf(name + length, sizeof name - static_cast<size_t>(length), "%02x", byte);
  }
  return folder + "/" + name;
}

// The complete unnamed file `fd` gets a name of its own in `folder`, which
// rename() then puts in the output's place in one step.
std::string NameUnnamedFile(int fd, const std::string& folder) {
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  for (int n = 0; n < kNameTries; ++n) {
    const std::string name = RandomName(folder);
    if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
      return name;
    }
    if (errno != EEXIST) {
      throw Win32Error{LastSystemError()};
    }
  }
  throw Win32Error{kErrorFileExists};
}

}  // namespace

OutputFile::OutputFile(const char* path) : path_(ToPosixPath(path)) {
  CheckReplaceable();
  CreateTemporary();
}

// An existing output must be a file that Windows would let this process open
// for writing alone. rename() would replace even a read-only file, and root
// may write anything, so the write permission bits are checked here.
void OutputFile::CheckReplaceable() {
  struct stat status;
  if (stat(path_.c_str(), &status) != 0) {
    const uint32_t code = Win32CodeFromErrno(errno, path_.c_str());
    if (code != kErrorFileNotFound) {
      throw Win32Error{code};
    }
    return;
  }
  if (!S_ISREG(status.st_mode)) {
    throw std::string(kNotRegularFile);
  }
  const UniqueDescriptor fd(open(path_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC));
  if (!fd.Valid()) {
    throw Win32Error{LastSystemError()};
  }
  if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
    throw Win32Error{kErrorAccessDenied};
  }
  if (flock(fd.Get(), LOCK_EX | LOCK_NB) != 0) {
    throw Win32Error{LockError(errno)};
  }
  replacing_ = true;
  existingMode_ = status.st_mode & 07777;
}

// An unnamed file in the output's folder; where the file system has none, a
// file of a random name, which the holder removes unless it is committed.
void OutputFile::CreateTemporary() {
  const std::string folder = FolderOf(path_);
  handle_.Reset(open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
  if (!handle_.Valid() && errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) {
    ThrowCreateError(errno, path_);
  }
  for (int n = 0; n < kNameTries && !handle_.Valid(); ++n) {
    const std::string name = RandomName(folder);
    handle_.Reset(open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (handle_.Valid()) {
      temporaryPath_ = name;
    } else if (errno != EEXIST) {
      ThrowCreateError(errno, name);
    }
  }
  if (!handle_.Valid()) {
    throw Win32Error{kErrorFileExists};
  }
  // Exclusive while it is written: no other holder of ours opens it.
  if (flock(handle_.Get(), LOCK_EX | LOCK_NB) != 0) {
    throw Win32Error{LockError(errno)};
  }
  if (replacing_ && fchmod(handle_.Get(), existingMode_) != 0) {
    throw Win32Error{LastSystemError()};
  }
}

OutputFile::~OutputFile() {
  handle_.Close();
  if (!committed_ && !temporaryPath_.empty()) {
    unlink(temporaryPath_.c_str());
  }
}

uint32_t OutputFile::GetSize() const {
  struct stat status;
  if (fstat(handle_.Get(), &status) != 0) {
    throw Win32Error{LastSystemError()};
  }
  return static_cast<uint32_t>(status.st_size);
}

uint32_t OutputFile::Write(const void* data, uint32_t length) {
  const uint32_t offset = GetSize();
  if (!WriteAll(handle_.Get(), std::string_view(static_cast<const char*>(data), length))) {
    // No progress (errno 0): nothing more fits.
    throw Win32Error{errno == 0 ? kErrorDiskFull : WriteError(errno)};
  }
  return offset;
}

void OutputFile::Rewind() {
  if (lseek(handle_.Get(), 0, SEEK_SET) != 0) {
    throw Win32Error{LastSystemError()};
  }
}

void OutputFile::Commit() {
  if (temporaryPath_.empty()) {
    temporaryPath_ = NameUnnamedFile(handle_.Get(), FolderOf(path_));
  }
  if (rename(temporaryPath_.c_str(), path_.c_str()) != 0) {
    throw Win32Error{LastSystemError()};
  }
  committed_ = true;
  handle_.Close();
}

}  // namespace zet
