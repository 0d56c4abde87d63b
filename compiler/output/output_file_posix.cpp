#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "compiler/common/shift_jis.h"
#include "compiler/common/system_error.h"
#include "compiler/common/win32_error.h"
#include "compiler/output/output_file.h"

namespace zet {
namespace {

constexpr int kTemporaryNameTries = 100;

// A write past the file size limit is a full disk to the user, as on Windows.
uint32_t WriteError(int error) {
  return error == EFBIG ? kErrorDiskFull : Win32CodeFromErrno(error);
}

uint32_t LockError(int error) {
  return error == EWOULDBLOCK ? kErrorSharingViolation : Win32CodeFromErrno(error);
}

}  // namespace

OutputFile::OutputFile(const char* path) : path_(ToPosixPath(path)) {
  CheckReplaceable();
  CreateTemporary();
}

// An existing output must be one Windows would let this process open for
// writing alone. rename() would replace even a read-only file, and root may
// write anything, so the write permission bits are checked here.
void OutputFile::CheckReplaceable() const {
  const UniqueDescriptor fd(open(path_.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC));
  if (!fd.Valid()) {
    const uint32_t code = Win32CodeFromErrno(errno, path_.c_str());
    if (code != kErrorFileNotFound) {
      throw Win32Error{code};
    }
    return;
  }
  uint32_t code = 0;
  struct stat status;
  if (fstat(fd.Get(), &status) != 0) {
    code = LastSystemError();
  } else if ((status.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
    code = kErrorAccessDenied;
  } else if (flock(fd.Get(), LOCK_EX | LOCK_NB) != 0) {
    code = LockError(errno);
  }
  if (code != 0) {
    throw Win32Error{code};
  }
}

void OutputFile::CreateTemporary() {
  for (int n = 0; n < kTemporaryNameTries; ++n) {
    const std::string name = path_ + ".~" + std::to_string(n);
    handle_.Reset(open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!handle_.Valid()) {
      if (errno == EEXIST) {
        continue;
      }
      // Creating a file: a missing entry can only be a missing folder.
      const uint32_t code = Win32CodeFromErrno(errno, name.c_str());
      throw Win32Error{code == kErrorFileNotFound ? kErrorPathNotFound : code};
    }
    temporaryPath_ = name;
    // Exclusive while it is written: no other holder of ours opens it.
    if (flock(handle_.Get(), LOCK_EX | LOCK_NB) != 0) {
      throw Win32Error{LockError(errno)};
    }
    return;
  }
  throw Win32Error{Win32CodeFromErrno(EEXIST)};
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
  const char* next = static_cast<const char*>(data);
  size_t left = length;
  while (left > 0) {
    const ssize_t written = write(handle_.Get(), next, left);
    if (written < 0 && errno == EINTR) {
      continue;
    }
    if (written < 0) {
      throw Win32Error{WriteError(errno)};
    }
    if (written == 0) {
      throw Win32Error{kErrorDiskFull};  // no progress: nothing more fits
    }
    next += written;
    left -= static_cast<size_t>(written);
  }
  return offset;
}

void OutputFile::Rewind() {
  if (lseek(handle_.Get(), 0, SEEK_SET) != 0) {
    throw Win32Error{LastSystemError()};
  }
}

void OutputFile::Commit() {
  if (rename(temporaryPath_.c_str(), path_.c_str()) != 0) {
    throw Win32Error{LastSystemError()};
  }
  committed_ = true;
  handle_.Close();
}

}  // namespace zet
