// The Linux compiler program: the same command line and driver as the
// Windows program; the log goes to standard output instead of a window.
// "/" starts a path here, and the program also answers --help and --version.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "compiler/output/compile_source.h"
#include "compiler/shell/batch_driver.h"
#include "compiler/shell/log_buffer.h"
#include "platform/cp932_posix.h"
#include "platform/system_message.h"
#include "version.h"

namespace zet {
namespace {

// UTF-8: what the terminal shows directly.
constexpr char kUsage[] =
    u8"使い方: zetcomp [-install | -uninstall] ファイル.zts ...\n"
    u8"ファイルを順にコンパイルし、最初の失敗で止まります。ログは終わってから標準出力に出ます。\n"
    u8"BITMAP と OUTPUT のパスは今のフォルダから数えます。\n"
    u8"終了コード: 0 成功、1 失敗の行をログに書いたとき、または標準出力に書けないとき。\n"
    u8"  -install, -uninstall  シェルへの登録 (Windows 版でのみ行えます)\n"
    u8"  --help                この説明\n"
    u8"  --version             版\n";

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

bool Written(const std::string& text, FILE* stream) {
  return fwrite(text.data(), 1, text.size(), stream) == text.size() && fflush(stream) == 0;
}

// Options the log never mentions, as on Windows; the terminal is told.
void NoteIgnoredOptions(int argc, char** argv, const ModeOperations& operations) {
  for (int i = 1; i < argc; ++i) {
    const char* word = argv[i];
    const bool known = strcmp(word + 1, "install") == 0 || strcmp(word + 1, "uninstall") == 0;
    if (IsOptionArgument(word, operations) && !known) {
      fprintf(stderr, u8"zetcomp: オプション %s は知らないので無視します (--help で一覧)。\n",
              word);
    }
  }
}

}  // namespace
}  // namespace zet

int main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (strcmp(argv[i], "--help") == 0) {
      return zet::Written(zet::kUsage, stdout) ? 0 : 1;
    }
    if (strcmp(argv[i], "--version") == 0) {
      return zet::Written("zetcomp " ZETCOMP_VERSION "\n", stdout) ? 0 : 1;
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
  if (!zet::Written(zet::ToConsoleText(zet::LogBuffer), stdout)) {
    fprintf(stderr, u8"zetcomp: ログを標準出力に書けません: %s\n", strerror(errno));
    return 1;
  }
  return failed ? 1 : 0;
}
