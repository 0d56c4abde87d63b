// zetlint: says what the compiler would do with each source and what in it
// is certainly wrong, and writes what a compiled file depends on for builds.
#include <cstdio>
#include <string>
#include <vector>

#include "lint/dependencies.h"
#include "lint/lint_options.h"
#include "lint/lint_platform.h"
#include "lint/report.h"
#include "lint/source_lint.h"
#include "platform/console.h"
#include "platform/system_message.h"
#include "platform/whole_file.h"
#include "platform/win32_error.h"
#include "version.h"

namespace zetlint {
namespace {

const char kUsage[] =
    "使い方: zetlint [オプション] ファイル.zts ...\n"
    "ソースをコンパイラと同じに読み、コンパイラが報告する失敗と、確かな誤りを示します。\n"
    "BITMAP と OUTPUT のパスは今のフォルダから数えます。\n"
    "終了コード: 0 警告まで、1 エラー (-Werror では警告も)、2 使い方の誤り。\n"
    "  -Werror                   警告をエラーとします\n"
    "  -Wno-名前, -W名前         その警告を消す、戻す\n"
    "  --format=gcc|sarif        gcc 形式の行 (既定) か SARIF 2.1.0\n"
    "  -MD -MF ファイル [-MT 対象]\n"
    "                            Makefile の依存関係ファイルも書きます\n"
    "                            (対象の既定はソースの OUTPUT)\n"
    "  --list-deps               ソースと読むビットマップのパスを一行ずつ出します\n"
    "  --help, --version\n"
    "警告の名前:\n";

using zet::kExitFailure;
using zet::kExitSuccess;
using zet::Say;

std::string Usage() {
  std::string usage = kUsage;
  for (int i = 1; i < kCheckCount; ++i) {
    const Check check = static_cast<Check>(i);
    std::string name = CheckName(check);
    name.resize(26, ' ');
    usage += "  " + name + CheckSummary(check) + "\n";
  }
  return usage;
}

int ListDependencies(const std::vector<SourceReport>& reports) {
  int status = kExitSuccess;
  std::string text;
  for (const SourceReport& report : reports) {
    if (!report.read) {
      Say(stderr, report.path, report.diagnostics.front().text);
      status = kExitFailure;
      continue;
    }
    for (const std::string& path : Dependencies(report)) {
      text += path + "\n";
    }
  }
  zet::WriteConsole(stdout, text);
  return status;
}

// Written only when the whole list is known.
bool WriteDepfile(const SourceReport& report, const LintOptions& options) {
  if (!report.read) {
    return false;
  }
  if (options.target.empty() && report.output.empty()) {
    Say(stderr, report.path,
        "OUTPUT がないので依存関係の対象がわかりません (-MT で指定できます)。");
    return false;
  }
  try {
    const std::string target = options.target.empty() ? OutputTarget(report) : options.target;
    const std::vector<std::string> paths = Dependencies(report);
    if (const std::string* path = PathNoDepfileHolds(paths)) {
      // The path as the console gave it, between Shift-JIS texts.
      zet::WriteConsole(
          stderr, zet::ConsoleText("zetlint: 依存関係ファイルに書けないパスです: ") + *path + "\n");
      return false;
    }
    if (const uint32_t code = zet::WriteWholeFile(options.depfile, DepfileText(target, paths))) {
      Say(stderr, "zetlint", options.depfile + ": " + zet::SystemMessageLine(code));
      return false;
    }
    return true;
  } catch (const zet::Win32Error& error) {
    Say(stderr, report.path, zet::SystemMessageLine(error.code));
  }
  return false;
}

int Main(int argc, const char* const* argv) {
  LintOptions options;
  try {
    options = ParseOptions(argc, argv);
  } catch (const zet::UsageError& error) {
    Say(stderr, "zetlint", error.text);
    zet::WriteConsole(stderr, zet::ConsoleText(Usage()));
    return zet::kExitWrongUse;
  }
  if (options.help) {
    return zet::ShowUsage(Usage());
  }
  if (options.version) {
    return zet::ShowVersion("zetlint " ZETCOMP_VERSION);
  }
  std::vector<SourceReport> reports;
  for (const std::string& file : options.files) {
    reports.push_back(LintSource(file.c_str()));
  }
  if (options.listDeps) {
    return ListDependencies(reports);
  }
  const std::string text = options.format == ReportFormat::Sarif ? SarifReport(reports, options)
                                                                 : GccReport(reports, options);
  zet::WriteConsole(stdout, text);
  bool failed = HasErrors(reports, options);
  if (options.writeDepfile) {
    failed = !WriteDepfile(reports.front(), options) || failed;
  }
  return failed ? kExitFailure : kExitSuccess;
}

}  // namespace
}  // namespace zetlint

int main(int argc, char** argv) {
  zet::NameProgram("zetlint");
  return zet::ExitStatus(zetlint::Main(argc, argv));
}
