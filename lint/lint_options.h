// The command line of zetlint.
#pragma once

#include <string>
#include <vector>

#include "lint/diagnostic.h"

namespace zetlint {

enum class ReportFormat { Gcc, Sarif };

struct LintOptions {
  bool enabled[kCheckCount];  // Compile is always on
  bool warningsAreErrors = false;
  ReportFormat format = ReportFormat::Gcc;
  bool help = false;
  bool version = false;
  bool listDeps = false;
  bool writeDepfile = false;  // -MD
  std::string depfile;        // -MF
  std::string target;         // -MT; empty: the source's OUTPUT
  std::vector<std::string> files;

  LintOptions();
};

// Throws zet::UsageError when the command line is wrong.
LintOptions ParseOptions(int count, const char* const* arguments);

}  // namespace zetlint
