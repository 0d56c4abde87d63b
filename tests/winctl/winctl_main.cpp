// winctl: drives and reads the windows of other programs for tests.
//
//   winctl COMMAND ARG...   runs one command, prints its lines; exit code 1 on failure
//   winctl -                reads commands from stdin, one per line (fields split at
//                           tabs, or at spaces when a line has no tab) and answers each
//                           with "ok N" and N lines, or with "error<TAB>MESSAGE"
//   winctl help             lists the commands
//
// Texts are Shift-JIS with backslash escapes (\\ \t \r \n \s \xHH) both ways.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <iostream>
#include <string>

#include "tests/winctl/commands.h"
#include "tests/winctl/fields.h"

namespace zet::winctl {
namespace {

Fields UnescapeAll(const Fields& fields) {
  Fields decoded;
  for (const std::string& field : fields) {
    decoded.push_back(Unescape(field));
  }
  return decoded;
}

void PrintLines(const Lines& lines) {
  for (const std::string& line : lines) {
    std::printf("%s\n", line.c_str());
  }
}

int RunOnce(const Fields& fields) {
  try {
    PrintLines(RunCommand(UnescapeAll(fields)));
    return 0;
  } catch (const std::string& message) {
    std::fprintf(stderr, "winctl: %s\n", Escape(message).c_str());
    return 1;
  }
}

// Answers until stdin ends; one failed command does not end the session.
int Serve() {
  std::string line;
  while (std::getline(std::cin, line)) {
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();
    }
    try {
      const Lines lines = RunCommand(UnescapeAll(SplitFields(line)));
      std::printf("ok %zu\n", lines.size());
      PrintLines(lines);
    } catch (const std::string& message) {
      std::printf("error\t%s\n", Escape(message).c_str());
    }
    std::fflush(stdout);
  }
  return 0;
}

}  // namespace
}  // namespace zet::winctl

int main(int argc, char** argv) {
  using namespace zet::winctl;
  // Bytes pass unchanged: no CR LF translation, and 0x1A ends nothing.
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  const Fields fields(argv + 1, argv + argc);
  if (fields.size() == 1 && fields[0] == "-") {
    return Serve();
  }
  if (fields.empty() || fields[0] == "help") {
    PrintLines(Usage());
    return fields.empty() ? 1 : 0;
  }
  return RunOnce(fields);
}
