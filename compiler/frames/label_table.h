// Labels of one frames program: where each is defined and which 16-bit
// operands name it, so the operands can be patched once all code is known.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "compiler/frames/frame_code.h"

namespace zet {

class CodeBuffer;

constexpr int32_t kMaxLabels = static_cast<int32_t>(kMaxFrameLabels);

struct LabelEntry {
  std::string name;
  uint32_t nameHash = 0;             // lets the search skip most names unread
  std::vector<uint16_t> references;  // code positions of the operands
  int32_t defined = 0;
  uint16_t offset = 0;
  // Where the first reference stands in the text, for an undefined label.
  int32_t referenceLine = 0;
  int32_t referenceColumn = 0;
};

class LabelTable {
 public:
  LabelTable();

  // Raise AniTooManyLabel for one distinct name more than kMaxLabels.
  LabelEntry& FindOrAdd(const char* name);
  // Null when the name is not in the table.
  const LabelEntry* Find(const char* name) const;
  void Define(const char* name, uint16_t offset);  // also AniLabelAlreadyDefined
  void Reference(const char* name, uint16_t position, int32_t line, int32_t column);

  // The first label, in table order, that is referenced but never defined.
  const LabelEntry* FirstUndefined() const;
  void Resolve(CodeBuffer& code) const;

  int32_t Count() const { return count_; }

 private:
  int32_t IndexOf(const char* name, size_t length, uint32_t hash) const;

  LabelEntry entries_[kMaxLabels];
  int32_t count_ = 0;
};

}  // namespace zet
