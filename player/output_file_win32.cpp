#include <windows.h>

#include "compiler/common/system_handles.h"
#include "player/output_file.h"
#include "reader/file_bytes.h"
#include "reader/format.h"

namespace zetplay {

void WriteWholeFile(const std::string& path, const std::string& bytes) {
  const std::string partial =
      zetreader::Format("%s.partial-%lu", path.c_str(), GetCurrentProcessId());
  zet::UniqueFileHandle file(reinterpret_cast<intptr_t>(CreateFileA(
      partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr)));
  if (!file.Valid()) {
    throw zetreader::FileError{path,
                               "ファイルを書けません (同じフォルダーに一時ファイルを作れ"
                               "ません)。"};
  }
  DWORD done = 0;
  const bool written = WriteFile(reinterpret_cast<HANDLE>(file.Get()), bytes.data(),
                                 static_cast<DWORD>(bytes.size()), &done, nullptr) &&
                       done == bytes.size();
  file.Close();
  if (!written || !MoveFileExA(partial.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    DeleteFileA(partial.c_str());
    throw zetreader::FileError{path, "ファイルを書けません。"};
  }
}

}  // namespace zetplay
