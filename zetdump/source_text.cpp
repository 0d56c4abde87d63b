#include "zetdump/source_text.h"

#include <algorithm>

#include "reader/format.h"

namespace zetdump {

using zetreader::Format;
using zetreader::FrameOp;
using zetreader::Instruction;
using zetreader::IsJump;
using zetreader::JumpTarget;

namespace {

// Blanks the reader trims: space, tab, vertical tab; form feed and 0x1A as
// some readers do. Trail bytes of double-byte characters are never these.
bool IsTrimmed(char byte) {
  return byte == ' ' || byte == '\t' || byte == '\v' || byte == '\f' || byte == '\x1A';
}

bool IsQuote(char byte) {
  return byte == '"' || byte == '\'';
}

bool NeedsQuotes(const std::string& value) {
  const char first = value.front();
  const char last = value.back();
  return IsTrimmed(first) || IsTrimmed(last) || IsQuote(first) || IsQuote(last);
}

}  // namespace

std::vector<uint32_t> JumpTargets(const std::vector<Instruction>& code) {
  std::vector<uint32_t> targets;
  for (const Instruction& instruction : code) {
    if (IsJump(instruction)) {
      targets.push_back(JumpTarget(instruction));
    }
  }
  std::sort(targets.begin(), targets.end());
  targets.erase(std::unique(targets.begin(), targets.end()), targets.end());
  return targets;
}

std::string LabelName(uint32_t offset) {
  return Format("L%u", offset);
}

std::string StatementText(const Instruction& instruction) {
  return zetreader::StatementText(instruction, LabelName);
}

bool FitsSourceLine(const std::string& value) {
  return value.size() <= kLongestValue && value.find_first_of("\r\n") == std::string::npos;
}

std::string SourceLine(const char* key, const std::string& value) {
  const bool quoted = !value.empty() && NeedsQuotes(value);
  return std::string(key) + "=" + (quoted ? "\"" + value + "\"" : value) + "\r\n";
}

std::vector<std::string> FramesValues(const std::vector<Instruction>& code, uint32_t length,
                                      size_t lineLimit) {
  const std::vector<uint32_t> targets = JumpTargets(code);
  auto labelled = [&targets](uint32_t offset, const std::string& statement) {
    const bool isTarget = std::binary_search(targets.begin(), targets.end(), offset);
    return isTarget ? LabelName(offset) + ": " + statement : statement;
  };
  std::vector<std::string> statements;
  for (const Instruction& instruction : code) {
    statements.push_back(labelled(instruction.offset, StatementText(instruction)));
  }
  if (code.empty() || std::binary_search(targets.begin(), targets.end(), length)) {
    statements.push_back(labelled(length, "to;"));
  }
  std::vector<std::string> values(1);
  for (const std::string& statement : statements) {
    std::string& line = values.back();
    if (!line.empty() && line.size() + 1 + statement.size() > lineLimit) {
      values.push_back(statement);
    } else {
      line += line.empty() ? statement : " " + statement;
    }
  }
  return values;
}

}  // namespace zetdump
