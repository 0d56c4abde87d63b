#include "platform/console.h"

#include <cstdint>

#include "platform/system_error.h"
#include "platform/system_message.h"

namespace zet {
namespace {

const char* programName = "";
bool writeFailed = false;
bool outputFailed = false;  // standard output, said on standard error once
uint32_t outputError = 0;   // the system's reason

void NoteOutputFailure() {
  if (!outputFailed) {
    outputFailed = true;
    outputError = LastSystemError();
  }
}

}  // namespace

void NameProgram(const char* name) {
  programName = name;
}

bool WriteConsole(FILE* stream, const std::string& bytes) {
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size() &&
                       std::fflush(stream) == 0;
  if (!written && stream == stdout) {
    NoteOutputFailure();
  }
  writeFailed = writeFailed || !written;
  return written;
}

void Say(FILE* stream, const std::string& path, const std::string& text) {
  WriteConsole(stream, (path.empty() ? "" : path + ": ") + ConsoleText(text + "\n"));
}

int ExitStatus(int status) {
  // What the C library still buffers is written now, while it can be told.
  if (std::fflush(stdout) != 0) {
    NoteOutputFailure();
  }
  static bool said = false;
  if (outputFailed && !said) {
    said = true;
    Say(stderr, programName, "標準出力に書けません。" + SystemMessageLine(outputError));
  }
  const bool failed = writeFailed || outputFailed || std::fflush(stderr) != 0;
  return failed ? kExitFailure : status;
}

int ShowUsage(const std::string& usage) {
  WriteConsole(stdout, ConsoleText(usage));
  return ExitStatus(kExitSuccess);
}

int ShowVersion(const char* nameAndVersion) {
  WriteConsole(stdout, std::string(nameAndVersion) + "\n");
  return ExitStatus(kExitSuccess);
}

}  // namespace zet
