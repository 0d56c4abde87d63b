// The Linux compiler program: the same command line and driver as the
// Windows program; the log goes to standard output instead of a window.
#include <cstdio>
#include <string>

#include "compiler/common/cp932_posix.h"
#include "compiler/common/system_message.h"
#include "compiler/output/compile_source.h"
#include "compiler/shell/batch_driver.h"
#include "compiler/shell/log_buffer.h"

namespace zet {
namespace {

void NoShellToRegister() {
  AppendLog("シェルへの登録は Windows 版でのみ行えます。\r\n");
}

// Shift-JIS with CR LF to UTF-8 with LF, as a terminal expects.
std::string ToConsoleText(const std::string& log) {
  std::string text;
  text.reserve(log.size());
  for (size_t i = 0; i < log.size(); ++i) {
    if (!(log[i] == '\r' && i + 1 < log.size() && log[i + 1] == '\n')) {
      text += log[i];
    }
  }
  std::string out;
  // A byte that is no character in code page 932 passes through as "?".
  Cp932ToUtf8(text, out, Unmapped::Replace);
  return out;
}

}  // namespace
}  // namespace zet

int main(int argc, char** argv) {
  zet::ModeOperations operations;
  operations.installShell = zet::NoShellToRegister;
  operations.uninstallShell = zet::NoShellToRegister;
  operations.compileSourceFile = zet::CompileSourceFile;
  operations.systemMessage = zet::SystemMessage;
  const bool failed = zet::RunBatch(argc, argv, operations);
  const std::string text = zet::ToConsoleText(zet::LogBuffer);
  fwrite(text.data(), 1, text.size(), stdout);
  return failed ? 1 : 0;
}
