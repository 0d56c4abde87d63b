// Test tool: compiles each source named on the command line and prints one
// line per source, "OK" or what the compile threw, as raw bytes, so that the
// Linux and the Windows build can be compared byte for byte.
#include <cstdio>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "compiler/output/compile_source.h"
#include "platform/win32_error.h"

namespace {

std::string Outcome(const char* path) {
  try {
    zet::CompileSourceFile(path);
  } catch (const std::string& message) {
    return message;
  } catch (const zet::Win32Error& error) {
    // Only the code: the two builds word the system texts differently.
    return "Win32Error " + std::to_string(error.code) + "\r\n";
  }
  return "OK\r\n";
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);  // CR LF stays as the messages have it
#endif
  bool failed = false;
  for (int i = 1; i < argc; ++i) {
    const std::string outcome = Outcome(argv[i]);
    failed = failed || outcome != "OK\r\n";
    const std::string line = std::string(argv[i]) + ": " + outcome;
    fwrite(line.data(), 1, line.size(), stdout);
  }
  return failed ? 1 : 0;
}
