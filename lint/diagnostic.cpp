#include "lint/diagnostic.h"

#include <utility>

namespace zetlint {
namespace {

struct CheckEntry {
  const char* name;
  Severity severity;
  const char* summary;
};

// Indexed by Check.
constexpr CheckEntry kChecks[kCheckCount] = {
#define ZETLINT_CHECK_ENTRY(check, name, severity, summary) {name, Severity::severity, summary},
    ZETLINT_CHECKS(ZETLINT_CHECK_ENTRY)
#undef ZETLINT_CHECK_ENTRY
};

bool SameFinding(const Diagnostic& a, const Diagnostic& b) {
  return a.place.line == b.place.line && a.place.column == b.place.column &&
         a.severity == b.severity && a.check == b.check && a.text == b.text && a.notes == b.notes;
}

}  // namespace

const char* CheckName(Check check) {
  return kChecks[static_cast<int>(check)].name;
}

const char* CheckSummary(Check check) {
  return kChecks[static_cast<int>(check)].summary;
}

Severity CheckSeverity(Check check) {
  return kChecks[static_cast<int>(check)].severity;
}

bool FindCheck(const std::string& name, Check& check) {
  for (int i = 1; i < kCheckCount; ++i) {
    if (name == kChecks[i].name) {
      check = static_cast<Check>(i);
      return true;
    }
  }
  return false;
}

std::string OneLine(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) {
    text.pop_back();
  }
  return text;
}

void AddMerged(std::vector<Diagnostic>& list, Diagnostic diagnostic) {
  for (Diagnostic& existing : list) {
    if (SameFinding(existing, diagnostic)) {
      existing.tag += "," + diagnostic.tag;
      return;
    }
  }
  list.push_back(std::move(diagnostic));
}

}  // namespace zetlint
