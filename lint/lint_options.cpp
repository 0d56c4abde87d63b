#include "lint/lint_options.h"

#include <cstring>

#include "platform/console.h"

namespace zetlint {
namespace {

void TakeCheck(const std::string& name, bool enable, LintOptions& options) {
  Check check;
  if (!FindCheck(name, check)) {
    throw zet::UsageError{"警告の名前 " + name + " は知りません (--help で一覧)。"};
  }
  options.enabled[static_cast<int>(check)] = enable;
}

// -MF and -MT take the next argument, or what follows them directly.
void TakeValue(const char* flag, int count, const char* const* arguments, int& i,
               std::string& value) {
  const char* rest = arguments[i] + strlen(flag);
  if (*rest != '\0') {
    value = rest;
  } else if (i + 1 < count) {
    value = arguments[++i];
  } else {
    throw zet::UsageError{std::string(flag) + " の後にファイル名がありません。"};
  }
}

void TakeOption(int count, const char* const* arguments, int& i, LintOptions& options) {
  const std::string word = arguments[i];
  if (word == "--help") {
    options.help = true;
  } else if (word == "--version") {
    options.version = true;
  } else if (word == "-Werror") {
    options.warningsAreErrors = true;
  } else if (word.compare(0, 5, "-Wno-") == 0) {
    TakeCheck(word.substr(5), false, options);
  } else if (word.compare(0, 2, "-W") == 0) {
    TakeCheck(word.substr(2), true, options);
  } else if (word == "--format=gcc" || word == "--format=sarif") {
    options.format = word == "--format=gcc" ? ReportFormat::Gcc : ReportFormat::Sarif;
  } else if (word == "--list-deps") {
    options.listDeps = true;
  } else if (word == "-MD") {
    options.writeDepfile = true;
  } else if (word.compare(0, 3, "-MF") == 0) {
    TakeValue("-MF", count, arguments, i, options.depfile);
  } else if (word.compare(0, 3, "-MT") == 0) {
    TakeValue("-MT", count, arguments, i, options.target);
  } else {
    throw zet::UsageError{"オプション " + word + " は知りません (--help で一覧)。"};
  }
}

void CheckCombination(const LintOptions& options) {
  if (options.help || options.version) {
    return;
  }
  std::string problem;
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
  if (!problem.empty()) {
    throw zet::UsageError{problem};
  }
}

}  // namespace

LintOptions::LintOptions() {
  for (bool& on : enabled) {
    on = true;
  }
}

LintOptions ParseOptions(int count, const char* const* arguments) {
  LintOptions options;
  for (int i = 1; i < count; ++i) {
    if (arguments[i][0] == '-' && arguments[i][1] != '\0') {
      TakeOption(count, arguments, i, options);
    } else {
      options.files.push_back(arguments[i]);
    }
  }
  CheckCombination(options);
  return options;
}

}  // namespace zetlint
