#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "platform/file_write_posix.h"
#include "platform/system_handles.h"
#include "zetdump/files.h"

namespace zetdump {

using zetreader::FileError;

bool NameTaken(const std::string& path) {
  struct stat status;
  return lstat(path.c_str(), &status) == 0 || errno != ENOENT;
}

// O_EXCL creates the file or fails: it follows no link and opens nothing that
// is already there, so no FIFO can hold it up.
bool CreateNewFile(const std::string& path, const std::string& bytes, bool& written) {
  const zet::UniqueDescriptor fd(
      open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
  written = fd.Valid();
  if (!fd.Valid()) {
    if (errno == EEXIST) {
      return false;
    }
    throw FileError{path, "ファイルを書けません。"};
  }
  return zet::WriteAll(fd.Get(), bytes);
}

bool MakeFolder(const std::string& path) {
  struct stat status;
  if (mkdir(path.c_str(), 0777) == 0) {
    return true;
  }
  if (errno == EEXIST && stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode)) {
    return false;
  }
  throw FileError{path, "フォルダーを作れません。"};
}

void RemoveFile(const std::string& path) {
  unlink(path.c_str());
}

void RemoveFolder(const std::string& path) {
  rmdir(path.c_str());
}

}  // namespace zetdump
