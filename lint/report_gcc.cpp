#include "lint/report.h"
#include "platform/console.h"

namespace zetlint {
namespace {

const char* SeverityWord(Severity severity) {
  switch (severity) {
    case Severity::Error:
      return "error";
    case Severity::Warning:
      return "warning";
    default:
      return "note";
  }
}

std::string Where(const std::string& file, const Place& place) {
  if (place.line == 0) {
    return file + ": ";
  }
  return file + ":" + std::to_string(place.line) + ":" + std::to_string(place.column) + ": ";
}

std::string Tagged(const Diagnostic& diagnostic, const std::string& text) {
  return zet::ConsoleText(diagnostic.tag.empty() ? text : "[" + diagnostic.tag + "] " + text);
}

}  // namespace

std::vector<ShownDiagnostic> ShownDiagnostics(const SourceReport& report,
                                              const LintOptions& options) {
  std::vector<ShownDiagnostic> shown;
  for (const Diagnostic& diagnostic : report.diagnostics) {
    if (!options.enabled[static_cast<int>(diagnostic.check)]) {
      continue;
    }
    const bool promoted = options.warningsAreErrors && diagnostic.severity == Severity::Warning;
    shown.push_back({&diagnostic, promoted ? Severity::Error : diagnostic.severity, promoted});
  }
  return shown;
}

bool HasErrors(const std::vector<SourceReport>& reports, const LintOptions& options) {
  for (const SourceReport& report : reports) {
    for (const ShownDiagnostic& shown : ShownDiagnostics(report, options)) {
      if (shown.severity == Severity::Error) {
        return true;
      }
    }
  }
  return false;
}

std::string GccReport(const std::vector<SourceReport>& reports, const LintOptions& options) {
  std::string text;
  for (const SourceReport& report : reports) {
    for (const ShownDiagnostic& shown : ShownDiagnostics(report, options)) {
      const Diagnostic& diagnostic = *shown.diagnostic;
      text += Where(report.path, diagnostic.place) + SeverityWord(shown.severity) + ": " +
              Tagged(diagnostic, diagnostic.text);
      if (diagnostic.check != Check::Compile) {
        text +=
            std::string(shown.promoted ? " [-Werror=" : " [-W") + CheckName(diagnostic.check) + "]";
      }
      text += "\n";
      for (const std::string& note : diagnostic.notes) {
        text += Where(report.path, diagnostic.place) + "note: " + Tagged(diagnostic, note) + "\n";
      }
    }
  }
  return text;
}

}  // namespace zetlint
