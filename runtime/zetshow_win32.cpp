// zetshow: shows one box of a compiled message file through the run-time
// library, so that an author on Windows sees the file in the real thing, and
// prints the answer. Exit status: 0 shown, 1 failure, 2 wrong use.
#include <windows.h>
// windows.h names WriteConsole for WriteConsoleA; the shell's is meant here.
#undef WriteConsole

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>
#include <string>

#include "platform/console.h"
#include "reader/compiled_file.h"
#include "reader/format.h"
#include "runtime/zetrt.h"
#include "version.h"

namespace {

const char kUsage[] =
    "使い方: zetshow ファイル.ztr [--kind 種類] [--type フラグ] [--seed N] [--text 本文]\n"
    "  ファイルのメッセージボックスを一つ、実行時ライブラリで表示し、押されたボタンの\n"
    "  ID を表示します。\n"
    "  --kind 種類   NOICON ASTERISK EXCLAMATION STOP QUESTION (--type のアイコンより優先)\n"
    "  --type フラグ MessageBox の uType: 数 (0x24 など) か MB_ の名前を | でつないだもの\n"
    "  --seed N      乱数の種 (既定: 時刻から)\n"
    "  --text 本文   本文 (既定: ファイルの種類のメッセージ)\n"
    "  --help        この説明      --version  版\n";

struct Flag {
  const char* name;
  UINT value;
};
const Flag kFlags[] = {
    {"MB_OK", MB_OK},
    {"MB_OKCANCEL", MB_OKCANCEL},
    {"MB_ABORTRETRYIGNORE", MB_ABORTRETRYIGNORE},
    {"MB_YESNOCANCEL", MB_YESNOCANCEL},
    {"MB_YESNO", MB_YESNO},
    {"MB_RETRYCANCEL", MB_RETRYCANCEL},
    {"MB_CANCELTRYCONTINUE", MB_CANCELTRYCONTINUE},
    {"MB_ICONHAND", MB_ICONHAND},
    {"MB_ICONSTOP", MB_ICONSTOP},
    {"MB_ICONQUESTION", MB_ICONQUESTION},
    {"MB_ICONEXCLAMATION", MB_ICONEXCLAMATION},
    {"MB_ICONASTERISK", MB_ICONASTERISK},
    {"MB_ICONINFORMATION", MB_ICONINFORMATION},
    {"MB_HELP", MB_HELP},
    {"MB_DEFBUTTON2", MB_DEFBUTTON2},
    {"MB_DEFBUTTON3", MB_DEFBUTTON3},
    {"MB_TOPMOST", MB_TOPMOST},
    {"MB_SYSTEMMODAL", MB_SYSTEMMODAL},
    {"MB_TASKMODAL", MB_TASKMODAL},
};
const UINT kKindIcons[zetreader::kKindCount] = {0, MB_ICONASTERISK, MB_ICONEXCLAMATION, MB_ICONHAND,
                                                MB_ICONQUESTION};

bool ParseType(const std::string& text, UINT& type) {
  type = 0;
  size_t start = 0;
  while (start <= text.size()) {
    const size_t end = std::min(text.find('|', start), text.size());
    const std::string part = text.substr(start, end - start);
    char* rest = nullptr;
    const unsigned long number = std::strtoul(part.c_str(), &rest, 0);
    bool known = !part.empty() && *rest == '\0';
    type |= known ? static_cast<UINT>(number) : 0;
    for (const Flag& flag : kFlags) {
      if (!known && part == flag.name) {
        type |= flag.value;
        known = true;
      }
    }
    if (!known) {
      return false;
    }
    start = end + 1;
  }
  return true;
}

int KindNamed(const std::string& name) {
  for (int kind = 0; kind < zetreader::kKindCount; ++kind) {
    if (name == zetreader::kKindNames[kind]) {
      return kind;
    }
  }
  return -1;
}

struct Options {
  std::string path, text;
  bool hasText = false;
  int kind = -1;
  UINT type = MB_OK;
  unsigned long long seed = 0;
};

// Empty when the arguments are good, else what is wrong.
std::string Parse(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    const bool valued = arg == "--kind" || arg == "--type" || arg == "--seed" || arg == "--text";
    if (valued && i + 1 >= argc) {
      return arg + " の値がありません。";
    }
    if (arg == "--kind" && (options.kind = KindNamed(argv[++i])) < 0) {
      return std::string("種類 ") + argv[i] + " はありません。";
    } else if (arg == "--type" && !ParseType(argv[++i], options.type)) {
      return std::string("--type ") + argv[i] + " が読めません。";
    } else if (arg == "--seed") {
      char* rest = nullptr;
      options.seed = std::strtoull(argv[++i], &rest, 0);
      if (*rest != '\0' || options.seed == 0) {
        return std::string("--seed ") + argv[i] + " は 1 以上の数ではありません。";
      }
    } else if (arg == "--text") {
      options.text = argv[++i];
      options.hasText = true;
    } else if (!valued && arg.size() > 1 && arg[0] == '-') {
      return "知らないオプションです: " + arg;
    } else if (!valued && !options.path.empty()) {
      return "ファイルは一つだけです。";
    } else if (!valued) {
      options.path = arg;
    }
  }
  return options.path.empty() ? "ファイルがありません。" : "";
}

// The reader's own reason for a file that the library refuses.
std::string ReasonOf(const std::string& path) {
  try {
    zetreader::ReadCompiledFile(zetreader::ReadFileBytes(path));
  } catch (const zetreader::FileFault& fault) {
    return zetreader::FaultLine(fault);
  } catch (const zetreader::FileError& error) {
    return error.text;
  }
  return "描画できないストリップがあります (圧縮されたピクセルなど)。";
}

int Main(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0) {
      return zet::ShowUsage(kUsage);
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      return zet::ShowVersion("zetshow " ZETCOMP_VERSION);
    }
  }
  Options options;
  const std::string wrong = Parse(argc, argv, options);
  if (!wrong.empty()) {
    zet::Say(stderr, "", wrong);
    zet::WriteConsole(stderr, zet::ConsoleText(kUsage));
    return zet::kExitWrongUse;
  }
  if (options.kind >= 0) {
    options.type = (options.type & ~MB_ICONMASK) | kKindIcons[options.kind];
  }
  ZetMessages* messages = nullptr;
  if (ZetOpenFileA(options.path.c_str(), &messages) != 0) {
    zet::Say(stderr, options.path, ReasonOf(options.path));
    return zet::kExitFailure;
  }
  ZetBoxOptions box = {sizeof box, 0, 0, options.seed};
  const int answer =
      ZetMessageBoxExA(messages, nullptr, options.hasText ? options.text.c_str() : nullptr,
                       "zetshow", options.type, &box);
  const DWORD error = GetLastError();
  ZetClose(messages);
  if (answer == 0) {
    zet::Say(stderr, "",
             zetreader::Format("ボックスを表示できませんでした (エラー %lu)。",
                               static_cast<unsigned long>(error)));
    return zet::kExitFailure;
  }
  zet::WriteConsole(stdout, zetreader::Format("%d\n", answer));
  return zet::kExitSuccess;
}

}  // namespace

int main(int argc, char** argv) {
  zet::NameProgram("zetshow");
  try {
    return zet::ExitStatus(Main(argc, argv));
  } catch (const std::bad_alloc&) {
    zet::Say(stderr, "", "メモリーが足りません。");
  }
  return zet::ExitStatus(zet::kExitFailure);
}
