// The Windows compiler program: does all its work at start-up, then shows the
// log in its window and ends when the user closes it.
#include <windows.h>

#include <cstdlib>

#include "compiler/output/compile_source.h"
#include "compiler/shell/batch_driver.h"
#include "compiler/shell/log_window.h"
#include "compiler/shell/shell_registration.h"
#include "platform/system_message.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  zet::ModeOperations operations;
  operations.installShell = zet::InstallShell;
  operations.uninstallShell = zet::UninstallShell;
  operations.compileSourceFile = zet::CompileSourceFile;
  operations.systemMessage = zet::SystemMessage;
  // A failure has become a line in the log; the window shows it either way.
  zet::RunBatch(__argc, __argv, operations);
  zet::ShowLogWindow(instance);
  return 0;
}
