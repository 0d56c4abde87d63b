#include <sys/stat.h>

#include "platform/system_error.h"
#include "reader/file_bytes.h"

namespace zetreader {

FILE* OpenRegularFile(const std::string& path) {
  FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) {
    throw FileError{path, CannotOpenText(zet::LastSystemError())};
  }
  struct _stat64 status;
  if (_fstat64(_fileno(file), &status) != 0 || (status.st_mode & _S_IFMT) != _S_IFREG) {
    std::fclose(file);
    throw FileError{path, "ファイルではないので読みません。"};
  }
  return file;
}

}  // namespace zetreader
