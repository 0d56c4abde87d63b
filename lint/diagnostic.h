// What the lint says about a source: one positioned diagnostic, and the
// checks by the names that -W options and reports give them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zetlint {

enum class Severity { Error, Warning, Note };

// The named checks. Compile is every failure the compiler itself reports;
// it has no -W name and cannot be switched off.
enum class Check {
  Compile,
  Unreachable,
  UnusedLabel,
  FramelessLoop,
  UnusedFrame,
  UnknownKey,
  UnknownSection,
  FramesGap,
  Duplicate,
  EmptyValue,
  PartialFrame,
  NoSection,
};
constexpr int kCheckCount = static_cast<int>(Check::NoSection) + 1;

// "unreachable", "unused-label", ...; "" for Compile.
const char* CheckName(Check check);
// False when no check has that name (Compile has none).
bool FindCheck(const std::string& name, Check& check);
// One line of what the check finds, in Japanese (Shift-JIS), for --help and
// the SARIF rules.
const char* CheckSummary(Check check);

// A place in the source file; line 0 when the failure has none.
struct Place {
  uint32_t line = 0;
  uint32_t column = 0;     // bytes, from 1
  uint32_t character = 0;  // characters, from 1: what SARIF counts
};

struct Diagnostic {
  Place place;
  Severity severity = Severity::Warning;
  Check check = Check::Compile;
  std::string tag;   // "NOICON", "ASTERISK,STOP", "BUTTONS"; may be empty
  std::string text;  // Shift-JIS, one line
  // Notes that explain it, at the same place.
  std::vector<std::string> notes;
};

// A message as one line: the compiler's and the system's texts end in CR LF.
std::string OneLine(std::string text);

// A diagnostic with the same place, check, text and notes as one already in
// `list` joins its tag to that one's; otherwise it is appended. Several kinds
// that inherit one program so give one diagnostic.
void AddMerged(std::vector<Diagnostic>& list, Diagnostic diagnostic);

}  // namespace zetlint
