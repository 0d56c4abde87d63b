// The Linux compiler program: the same command line and driver as the
// Windows program; the log goes to standard output instead of a window.
// "/" starts a path here, and the program also answers --help and --version.
#include <cstdio>
#include <cstring>
#include <string>

#include "compiler/output/compile_source.h"
#include "compiler/shell/batch_driver.h"
#include "compiler/shell/log_buffer.h"
#include "platform/console.h"
#include "platform/system_message.h"
#include "version.h"

namespace zet {
namespace {

constexpr char kUsage[] =
    "使い方: zetcomp [-install | -uninstall] ファイル.zts ...\n"
    "ファイルを順にコンパイルし、最初の失敗で止まります。ログは終わってから標準出力に出ます。\n"
    "BITMAP と OUTPUT のパスは今のフォルダから数えます。\n"
    "終了コード: 0 成功、1 失敗の行をログに書いたとき、または標準出力に書けないとき。\n"
    "  -install, -uninstall  シェルへの登録 (Windows 版でのみ行えます)\n"
    "  --help                この説明\n"
    "  --version             版\n";

void NoShellToRegister() {
  AppendLog("シェルへの登録は Windows 版でのみ行えます。\r\n");
}

// Options the log never mentions, as on Windows; the terminal is told.
void NoteIgnoredOptions(int argc, char** argv, const ModeOperations& operations) {
  for (int i = 1; i < argc; ++i) {
    const char* word = argv[i];
    const bool known = strcmp(word + 1, "install") == 0 || strcmp(word + 1, "uninstall") == 0;
    if (IsOptionArgument(word, operations) && !known) {
      // The option as the console gave it, between Shift-JIS texts.
      WriteConsole(stderr, ConsoleText("zetcomp: オプション ") + word +
                               ConsoleText(" は知らないので無視します (--help で一覧)。\n"));
    }
  }
}

}  // namespace
}  // namespace zet

int main(int argc, char** argv) {
  zet::NameProgram("zetcomp");
  for (int i = 1; i < argc; ++i) {
    if (strcmp(argv[i], "--help") == 0) {
      return zet::ShowUsage(zet::kUsage);
    }
    if (strcmp(argv[i], "--version") == 0) {
      return zet::ShowVersion("zetcomp " ZETCOMP_VERSION);
    }
  }
  zet::ModeOperations operations;
  operations.installShell = zet::NoShellToRegister;
  operations.uninstallShell = zet::NoShellToRegister;
  operations.compileSourceFile = zet::CompileSourceFile;
  operations.systemMessage = zet::SystemMessage;
  operations.slashStartsPaths = true;
  zet::NoteIgnoredOptions(argc, argv, operations);
  const bool failed = zet::RunBatch(argc, argv, operations);
  zet::WriteConsole(stdout, zet::ConsoleText(zet::LogBuffer));
  return zet::ExitStatus(failed ? zet::kExitFailure : zet::kExitSuccess);
}
