#include "compiler/shell/batch_driver.h"

#include <cstring>

#include "compiler/shell/log_buffer.h"
#include "platform/win32_error.h"

namespace zet {
namespace {

struct CommandOptions {
  bool install = false;
  bool uninstall = false;
};

enum class RunMode { Install, Uninstall, Compile };

void ParseOptions(int count, char* const* arguments, const ModeOperations& operations,
                  CommandOptions& options) {
  for (int i = 1; i < count; ++i) {
    if (!IsOptionArgument(arguments[i], operations)) {
      continue;
    }
    const char* word = arguments[i] + 1;
    if (strcmp(word, "install") == 0) {
      options.install = true;
    } else if (strcmp(word, "uninstall") == 0) {
      options.uninstall = true;
    }
  }
}

RunMode ChooseRunMode(const CommandOptions& options) {
  if (options.install) {
    return RunMode::Install;
  }
  return options.uninstall ? RunMode::Uninstall : RunMode::Compile;
}

void CompileAll(int count, char* const* arguments, const ModeOperations& operations) {
  for (int i = 1; i < count; ++i) {
    if (IsOptionArgument(arguments[i], operations)) {
      continue;
    }
    AppendLog("%s 処理中...\r\n", arguments[i]);
    operations.compileSourceFile(arguments[i]);
    AppendLog("完了。\r\n");
  }
}

static void RunChosenMode(int count, char* const* arguments, const ModeOperations& operations) {
  CommandOptions options;
  ParseOptions(count, arguments, operations, options);
  switch (ChooseRunMode(options)) {
    case RunMode::Install:
      operations.installShell();
      break;
    case RunMode::Uninstall:
      operations.uninstallShell();
      break;
    case RunMode::Compile:
      CompileAll(count, arguments, operations);
      break;
  }
}

}  // namespace

// An argument that starts with "-" or "/" is an option, whatever follows.
bool IsOptionArgument(const char* argument, const ModeOperations& operations) {
  if (argument[0] == '/' && operations.slashStartsPaths) {
    return strcmp(argument, "/install") == 0 || strcmp(argument, "/uninstall") == 0;
  }
  return argument[0] == '-' || argument[0] == '/';
}

bool RunBatch(int count, char* const* arguments, const ModeOperations& operations) {
  try {
    RunChosenMode(count, arguments, operations);
    return false;
  } catch (const Win32Error& error) {
    AppendLog("%s\r\n", operations.systemMessage(error.code).c_str());
  } catch (const std::string& message) {
    AppendLog("%s\r\n", message.c_str());
  } catch (...) {
    AppendLog("エラーが発生したので処理を中断しました。\r\n");
  }
  return true;
}

}  // namespace zet
