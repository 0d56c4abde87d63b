#include <sys/stat.h>

#include <cerrno>

#include "zetdump/files.h"

namespace zetdump {

using zetreader::FileError;

void MakeFolder(const std::string& path) {
  struct stat status;
  if (mkdir(path.c_str(), 0777) == 0 ||
      (errno == EEXIST && stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode))) {
    return;
  }
  throw FileError{path, "フォルダーを作れません。"};
}

}  // namespace zetdump
