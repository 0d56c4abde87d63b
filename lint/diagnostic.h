// What the lint says about a source: one positioned diagnostic, and the
// checks by the names that -W options and reports give them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zetlint {

enum class Severity { Error, Warning, Note };

// The checks, one line each: the enum, the -W name, the severity of what it
// finds (frameless-loop: a warning where the loop's only way out is random),
// and one line of what it finds, in Japanese (Shift-JIS), for --help and the
// SARIF rules. Compile is every failure the compiler itself reports; it has
// no -W name and cannot be switched off.
#define ZETLINT_CHECKS(X)                                                                          \
  X(Compile, "", Error, "コンパイラが報告する失敗")                                                \
  X(Unreachable, "unreachable", Warning, "どこからも到達しない文 (続く到達しない文の最初のもの)")  \
  X(UnusedLabel, "unused-label", Warning, "どこからもジャンプしないラベル")                        \
  X(FramelessLoop, "frameless-loop", Error, "フレームを表示しないループ (抜け出せなければエラー)") \
  X(UnusedFrame, "unused-frame", Warning, "到達するどの文も表示しないフレーム")                    \
  X(UnknownKey, "unknown-key", Warning, "読まれるセクションにある、どこからも読まれないキー")      \
  X(UnknownSection, "unknown-section", Warning, "basis、BUTTONS、種類のどれでもないセクション")    \
  X(FramesGap, "frames-gap", Warning, "番号が途切れた後の、読まれない FRAMESn")                    \
  X(Duplicate, "duplicate", Warning, "二度目からは読まれない、繰り返したキーやセクション")         \
  X(EmptyValue, "empty-value", Warning, "指定がないのと同じに読まれる空の値")                      \
  X(PartialFrame, "partial-frame", Warning, "どのフレームにも入らない行を残す FRAMEHEIGHT")        \
  X(NoSection, "no-section", Warning, "最初のセクションより前の、読まれない行")

enum class Check {
#define ZETLINT_CHECK_ENUM(check, name, severity, summary) check,
  ZETLINT_CHECKS(ZETLINT_CHECK_ENUM)
#undef ZETLINT_CHECK_ENUM
};
#define ZETLINT_CHECK_ONE(check, name, severity, summary) +1
constexpr int kCheckCount = 0 ZETLINT_CHECKS(ZETLINT_CHECK_ONE);
#undef ZETLINT_CHECK_ONE

// "unreachable", "unused-label", ...; "" for Compile.
const char* CheckName(Check check);
// False when no check has that name (Compile has none).
bool FindCheck(const std::string& name, Check& check);
// One line of what the check finds, in Japanese (Shift-JIS), for --help and
// the SARIF rules.
const char* CheckSummary(Check check);
// The severity of what the check finds, as the SARIF rules give it.
Severity CheckSeverity(Check check);

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
