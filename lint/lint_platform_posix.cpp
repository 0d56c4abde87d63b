#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "compiler/common/cp932_posix.h"
#include "compiler/common/system_error.h"
#include "compiler/common/system_handles.h"
#include "compiler/common/system_message.h"
#include "lint/diagnostic.h"
#include "lint/lint_platform.h"

namespace zetlint {
namespace {

std::string Failure(const std::string& path, int error) {
  return path + ": " + OneLine(zet::SystemMessage(zet::Win32CodeFromErrno(error, path.c_str())));
}

}  // namespace

std::string ConsoleText(const std::string& shiftJis) {
  return Utf8Text(shiftJis);
}

std::string Utf8Text(const std::string& shiftJis) {
  std::string text;
  zet::Cp932ToUtf8(shiftJis, text, zet::Unmapped::Replace);
  return text;
}

// Linux paths are bytes; the URI escapes whatever is not plain.
std::string Utf8Path(const std::string& path) {
  return path;
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
  std::string temporary = path + ".~XXXXXX";
  const zet::UniqueDescriptor file(mkstemp(temporary.data()));
  if (!file.Valid()) {
    throw Failure(path, errno);
  }
  const bool written =
      write(file.Get(), bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()) &&
      fchmod(file.Get(), 0644) == 0;
  const int error = errno;
  if (!written || rename(temporary.c_str(), path.c_str()) != 0) {
    const std::string failure = Failure(path, written ? errno : error);
    unlink(temporary.c_str());
    throw failure;
  }
}

}  // namespace zetlint
