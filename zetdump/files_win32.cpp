#include <windows.h>

#include "zetdump/files.h"

namespace zetdump {

using zetreader::FileError;

void MakeFolder(const std::string& path) {
  if (CreateDirectoryA(path.c_str(), nullptr)) {
    return;
  }
  const DWORD attributes = GetFileAttributesA(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    return;
  }
  throw FileError{path, "フォルダーを作れません。"};
}

}  // namespace zetdump
