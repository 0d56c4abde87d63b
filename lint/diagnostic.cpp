#include "lint/diagnostic.h"

#include <utility>

namespace zetlint {
namespace {

struct CheckEntry {
  const char* name;
  const char* summary;
};

// Indexed by Check.
constexpr CheckEntry kChecks[kCheckCount] = {
    {"", "コンパイラが報告する失敗"},
    {"unreachable", "どこからも到達しない文 (続く到達しない文の最初のもの)"},
    {"unused-label", "どこからもジャンプしないラベル"},
    {"frameless-loop", "フレームを表示しないループ (抜け出せなければエラー)"},
    {"unused-frame", "到達するどの文も表示しないフレーム"},
    {"unknown-key", "読まれるセクションにある、どこからも読まれないキー"},
    {"unknown-section", "basis、BUTTONS、種類のどれでもないセクション"},
    {"frames-gap", "番号が途切れた後の、読まれない FRAMESn"},
    {"duplicate", "二度目からは読まれない、繰り返したキーやセクション"},
    {"empty-value", "指定がないのと同じに読まれる空の値"},
    {"partial-frame", "どのフレームにも入らない行を残す FRAMEHEIGHT"},
    {"no-section", "最初のセクションより前の、読まれない行"},
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
