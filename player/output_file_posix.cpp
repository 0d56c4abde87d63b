#include <stdio.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "compiler/common/system_handles.h"
#include "compiler/common/write_all_posix.h"
#include "player/output_file.h"
#include "reader/file_bytes.h"

namespace zetplay {

void WriteWholeFile(const std::string& path, const std::string& bytes) {
  std::vector<char> partial(path.begin(), path.end());
  const std::string pattern = ".partial-XXXXXX";
  partial.insert(partial.end(), pattern.begin(), pattern.end());
  partial.push_back('\0');
  zet::UniqueDescriptor fd(mkstemp(partial.data()));
  if (!fd.Valid()) {
    throw zetreader::FileError{path,
                               "ファイルを書けません (同じフォルダーに一時ファイルを作れ"
                               "ません)。"};
  }
  // mkstemp makes the file private; a new file gets what the umask allows.
  const mode_t mask = umask(0);
  umask(mask);
  const bool written = zet::WriteAll(fd.Get(), bytes) && fchmod(fd.Get(), 0666 & ~mask) == 0;
  const bool closed = close(fd.Release()) == 0;
  if (!written || !closed || rename(partial.data(), path.c_str()) != 0) {
    unlink(partial.data());
    throw zetreader::FileError{path, "ファイルを書けません。"};
  }
}

}  // namespace zetplay
