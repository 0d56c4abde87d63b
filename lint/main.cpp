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
#include "platform/system_message.h"
#include "platform/whole_file.h"
#include "platform/win32_error.h"
#include "version.h"

namespace zetlint {
namespace {

constexpr int kClean = 0;
constexpr int kFound = 1;
constexpr int kWrongUse = 2;

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

bool Write(FILE* stream, const std::string& bytes) {
  return fwrite(bytes.data(), 1, bytes.size(), stream) == bytes.size() && fflush(stream) == 0;
}

// `prefix` as the console gave it; `text` Shift-JIS.
void Complain(const std::string& prefix, const std::string& text) {
  Write(stderr, prefix + ConsoleText(text) + "\n");
}

std::string Usage() {
  std::string usage = kUsage;
  for (int i = 1; i < kCheckCount; ++i) {
    const Check check = static_cast<Check>(i);
    std::string name = CheckName(check);
    name.resize(26, ' ');
    usage += "  " + name + CheckSummary(check) + "\n";
  }
  return ConsoleText(usage);
}

int ListDependencies(const std::vector<SourceReport>& reports) {
  int status = kClean;
  std::string text;
  for (const SourceReport& report : reports) {
    if (!report.read) {
      Complain(report.path + ": ", report.diagnostics.front().text);
      status = kFound;
      continue;
    }
    for (const std::string& path : Dependencies(report)) {
      text += path + "\n";
    }
  }
  return Write(stdout, text) ? status : kFound;
}

// Written only when the whole list is known.
bool WriteDepfile(const SourceReport& report, const LintOptions& options) {
  if (!report.read) {
    return false;
  }
  if (options.target.empty() && report.output.empty()) {
    Complain(report.path + ": ",
             "OUTPUT がないので依存関係の対象がわかりません (-MT で指定できます)。");
    return false;
  }
  try {
    const std::string target = options.target.empty() ? OutputTarget(report) : options.target;
    if (const uint32_t code =
            zet::WriteWholeFile(options.depfile, DepfileText(target, Dependencies(report)))) {
      Complain("zetlint: ", options.depfile + ": " + zet::SystemMessageLine(code));
      return false;
    }
    return true;
  } catch (const std::string& problem) {
    Complain("zetlint: ", problem);
  } catch (const zet::Win32Error& error) {
    Complain(report.path + ": ", zet::SystemMessageLine(error.code));
  }
  return false;
}

int Run(int argc, const char* const* argv) {
  LintOptions options;
  std::string problem;
  if (!ParseOptions(argc, argv, options, problem)) {
    Complain("zetlint: ", problem);
    Write(stderr, Usage());
    return kWrongUse;
  }
  if (options.help || options.version) {
    return Write(stdout, options.help ? Usage() : "zetlint " ZETCOMP_VERSION "\n") ? kClean
                                                                                   : kFound;
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
  bool failed = !Write(stdout, text) || HasErrors(reports, options);
  if (options.writeDepfile) {
    failed = !WriteDepfile(reports.front(), options) || failed;
  }
  return failed ? kFound : kClean;
}

}  // namespace
}  // namespace zetlint

int main(int argc, char** argv) {
  return zetlint::Run(argc, argv);
}
