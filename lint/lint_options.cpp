#include "lint/lint_options.h"

#include <cstring>

namespace zetlint {
namespace {

bool TakeCheck(const std::string& name, bool enable, LintOptions& options, std::string& problem) {
  Check check;
  if (!FindCheck(name, check)) {
    problem = "警告の名前 " + name + " は知りません (--help で一覧)。";
    return false;
  }
  options.enabled[static_cast<int>(check)] = enable;
  return true;
}

// -MF and -MT take the next argument, or what follows them directly.
bool TakeValue(const char* flag, int count, const char* const* arguments, int& i,
               std::string& value, std::string& problem) {
  const char* rest = arguments[i] + strlen(flag);
  if (*rest != '\0') {
    value = rest;
    return true;
  }
  if (i + 1 >= count) {
    problem = std::string(flag) + " の後にファイル名がありません。";
    return false;
  }
  value = arguments[++i];
  return true;
}

bool TakeOption(int count, const char* const* arguments, int& i, LintOptions& options,
                std::string& problem) {
  const std::string word = arguments[i];
  if (word == "--help") {
    options.help = true;
  } else if (word == "--version") {
    options.version = true;
  } else if (word == "-Werror") {
    options.warningsAreErrors = true;
  } else if (word.compare(0, 5, "-Wno-") == 0) {
    return TakeCheck(word.substr(5), false, options, problem);
  } else if (word.compare(0, 2, "-W") == 0) {
    return TakeCheck(word.substr(2), true, options, problem);
  } else if (word == "--format=gcc" || word == "--format=sarif") {
    options.format = word == "--format=gcc" ? ReportFormat::Gcc : ReportFormat::Sarif;
  } else if (word == "--list-deps") {
    options.listDeps = true;
  } else if (word == "-MD") {
    options.writeDepfile = true;
  } else if (word.compare(0, 3, "-MF") == 0) {
    return TakeValue("-MF", count, arguments, i, options.depfile, problem);
  } else if (word.compare(0, 3, "-MT") == 0) {
    return TakeValue("-MT", count, arguments, i, options.target, problem);
  } else {
    problem = "オプション " + word + " は知りません (--help で一覧)。";
    return false;
  }
  return true;
}

bool CheckCombination(const LintOptions& options, std::string& problem) {
  if (options.help || options.version) {
    return true;
  }
  if (options.files.empty()) {
    problem = "ソース ファイルがありません。";
  } else if (options.writeDepfile != !options.depfile.empty()) {
    problem = "-MD と -MF はいっしょに使います。";
  } else if (!options.target.empty() && !options.writeDepfile) {
    problem = "-MT は -MD といっしょに使います。";
  } else if (options.writeDepfile && options.files.size() != 1) {
    problem = "-MD で扱えるソースは一つだけです。";
  } else if (options.writeDepfile && options.listDeps) {
    problem = "-MD と --list-deps はいっしょに使えません。";
  }
  return problem.empty();
}

}  // namespace

LintOptions::LintOptions() {
  for (bool& on : enabled) {
    on = true;
  }
}

bool ParseOptions(int count, const char* const* arguments, LintOptions& options,
                  std::string& problem) {
  for (int i = 1; i < count; ++i) {
    if (arguments[i][0] == '-' && arguments[i][1] != '\0') {
      if (!TakeOption(count, arguments, i, options, problem)) {
        return false;
      }
    } else {
      options.files.push_back(arguments[i]);
    }
  }
  return CheckCombination(options, problem);
}

}  // namespace zetlint
