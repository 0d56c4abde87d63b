// The reports of the lint: gcc's one line per diagnostic, or SARIF 2.1.0.
#pragma once

#include <string>
#include <vector>

#include "lint/lint_options.h"
#include "lint/source_lint.h"

namespace zetlint {

// A diagnostic as the options show it: checks switched off are left out;
// under -Werror a warning is an error.
struct ShownDiagnostic {
  const Diagnostic* diagnostic;
  Severity severity;
  bool promoted;  // a warning shown as an error
};
std::vector<ShownDiagnostic> ShownDiagnostics(const SourceReport& report,
                                              const LintOptions& options);

bool HasErrors(const std::vector<SourceReport>& reports, const LintOptions& options);

// "FILE:LINE:COLUMN: error: [KIND] text [-Wname]", and notes after their
// diagnostic; the file as given, the rest as the console shows text.
std::string GccReport(const std::vector<SourceReport>& reports, const LintOptions& options);

// One run with every result; UTF-8.
std::string SarifReport(const std::vector<SourceReport>& reports, const LintOptions& options);

}  // namespace zetlint
