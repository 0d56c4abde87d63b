#include "player/options.h"

#include <cstring>

#include "platform/shift_jis.h"
#include "reader/file_format.h"
#include "reader/format.h"

namespace zetplay {

using zetreader::Format;

const char kUsage[] =
    "使い方: zetplay [オプション] ファイル.ztr\n"
    "  各メッセージの種類のアニメーションを再生した結果 (表示したフレーム、長さ、終わり方、\n"
    "  表示しないフレーム) を表示し、求められたものを書き出します。\n"
    "  --trace           一歩ごとに 時刻 (ms)、オフセット、命令、表示したフレーム を表示\n"
    "  --apng OUT.png    アニメーション PNG (可逆)\n"
    "  --gif OUT.gif     アニメーション GIF (Linux 版のみ)\n"
    "  --sheet OUT.png   ストリップの全フレームの一覧と、表示した回数と時間\n"
    "  --html OUT.html   五種類をメッセージボックスとして並べた 1 枚のページ\n"
    "  --kind 種類       画像の書き出しをこの種類だけにする (NOICON ASTERISK EXCLAMATION\n"
    "                    STOP QUESTION)。ないときは種類ごとに 名前.種類.拡張子 に書きます\n"
    "  --seed N          乱数の種 (既定 1)\n"
    "  --unit MS         FRAMETIME の単位 (既定 1 ms)\n"
    "  --default-ms MS   FRAMETIME が 0 以下のときの 1 フレームの時間 (既定 100)\n"
    "  --max-ms MS       終わりも周期もない再生を打ち切る時刻 (既定 10000、最大 3600000)\n"
    "  --loop            コードの終わりで止まらず、先頭から再生し直す\n"
    "  --help            この説明\n"
    "  --version         版"
    "終了コード: 0 成功、1 失敗、2 使い方の誤り\n";

namespace {

constexpr uint64_t kHour = 3600000;

uint64_t Number(const char* option, const char* text, uint64_t least, uint64_t most) {
  uint64_t value = 0;
  bool digits = *text != '\0';
  for (const char* c = text; *c != '\0'; ++c) {
    const unsigned digit = static_cast<unsigned char>(*c) - '0';
    if (digit > 9 || value > (UINT64_MAX - digit) / 10) {
      digits = false;
      break;
    }
    value = value * 10 + digit;
  }
  if (!digits || value < least || value > most) {
    throw UsageError{Format("%s には %llu から %llu までの整数を指定してください: %s", option,
                            static_cast<unsigned long long>(least),
                            static_cast<unsigned long long>(most), text)};
  }
  return value;
}

bool SameName(const char* a, const char* b) {
  for (; *a != '\0' && *b != '\0'; ++a, ++b) {
    const char x = *a >= 'a' && *a <= 'z' ? *a - 32 : *a;
    if (x != *b) {
      return false;
    }
  }
  return *a == *b;
}

int KindNamed(const char* name) {
  for (int kind = 0; kind < zetreader::kKindCount; ++kind) {
    if (SameName(name, zetreader::kKindNames[kind])) {
      return kind;
    }
  }
  throw UsageError{
      Format("種類 %s はありません (NOICON ASTERISK EXCLAMATION STOP QUESTION)。", name)};
}

class Parser {
 public:
  Parser(int argc, const char* const* argv) : argc_(argc), argv_(argv) {}

  Options Parse() {
    for (next_ = 1; next_ < argc_; ++next_) {
      const char* arg = argv_[next_];
      if (arg[0] == '-' && arg[1] == '-') {
        Option(arg);
      } else if (options_.file.empty() && arg[0] != '-') {
        options_.file = arg;
      } else {
        throw UsageError{Format("余分な引数です: %s", arg)};
      }
    }
    if (options_.file.empty() && !options_.help && !options_.version) {
      throw UsageError{"ファイルを指定してください。"};
    }
    return options_;
  }

 private:
  const char* Value(const char* option) {
    if (next_ + 1 >= argc_) {
      throw UsageError{Format("%s の後に値を指定してください。", option)};
    }
    return argv_[++next_];
  }

  void Option(const char* o) {
    Settings& s = options_.settings;
    if (!std::strcmp(o, "--help")) {
      options_.help = true;
    } else if (!std::strcmp(o, "--version")) {
      options_.version = true;
    } else if (!std::strcmp(o, "--trace")) {
      options_.trace = true;
    } else if (!std::strcmp(o, "--loop")) {
      s.loop = true;
    } else if (!std::strcmp(o, "--apng")) {
      options_.apng = Value(o);
    } else if (!std::strcmp(o, "--gif")) {
      options_.gif = Value(o);
    } else if (!std::strcmp(o, "--sheet")) {
      options_.sheet = Value(o);
    } else if (!std::strcmp(o, "--html")) {
      options_.html = Value(o);
    } else if (!std::strcmp(o, "--kind")) {
      options_.kind = KindNamed(Value(o));
    } else if (!std::strcmp(o, "--seed")) {
      s.seed = Number(o, Value(o), 0, UINT64_MAX);
    } else if (!std::strcmp(o, "--unit")) {
      s.unitMs = static_cast<int64_t>(Number(o, Value(o), 1, 60000));
    } else if (!std::strcmp(o, "--default-ms")) {
      s.defaultMs = static_cast<int64_t>(Number(o, Value(o), 1, kHour));
    } else if (!std::strcmp(o, "--max-ms")) {
      s.maxMs = static_cast<int64_t>(Number(o, Value(o), 1, kHour));
    } else {
      throw UsageError{Format("知らないオプションです: %s", o)};
    }
  }

  const int argc_;
  const char* const* argv_;
  int next_ = 1;
  Options options_;
};

}  // namespace

Options ParseOptions(int argc, const char* const* argv) {
  return Parser(argc, argv).Parse();
}

// The extension's dot, walking Shift-JIS characters: a trail byte may look
// like "\\". A dot that starts the file name begins no extension.
std::string PathForKind(const std::string& path, int kind) {
  size_t dot = std::string::npos;
  bool nameStart = true;
  for (size_t at = 0; at < path.size(); at += zet::CharSize(path, at)) {
    const char c = path[at];
    if (c == '/' || c == '\\') {
      dot = std::string::npos;
      nameStart = true;
      continue;
    }
    if (c == '.' && !nameStart) {
      dot = at;
    }
    nameStart = false;
  }
  const std::string name = std::string(".") + zetreader::kKindNames[kind];
  return dot != std::string::npos ? path.substr(0, dot) + name + path.substr(dot) : path + name;
}

}  // namespace zetplay
