#include "compiler/frames/label_table.h"

#include "compiler/frames/ani_error.h"
#include "compiler/frames/code_buffer.h"

namespace zet {

LabelTable::LabelTable() = default;

LabelEntry& LabelTable::FindOrAdd(const char* name) {
  for (int32_t i = 0; i < count_; ++i) {
    if (entries_[i].name == name) {
      return entries_[i];
    }
  }
  if (count_ >= kMaxLabels) {
    throw AniTooManyLabel();
  }
  LabelEntry& entry = entries_[count_];
  entry.name = name;
  entry.references.clear();
  entry.defined = 0;
  entry.offset = 0;
  entry.referenceLine = 0;
  entry.referenceColumn = 0;
  ++count_;
  return entry;
}

void LabelTable::Define(const char* name, uint16_t offset) {
  LabelEntry& entry = FindOrAdd(name);
  if (entry.defined) {
    throw AniLabelAlreadyDefined();
  }
  entry.defined = 1;
  entry.offset = offset;
}

void LabelTable::Reference(const char* name, uint16_t position, int32_t line, int32_t column) {
  LabelEntry& entry = FindOrAdd(name);
  if (entry.references.empty()) {
    entry.referenceLine = line;
    entry.referenceColumn = column;
  }
  entry.references.push_back(position);
}

const LabelEntry* LabelTable::FirstUndefined() const {
  for (int32_t i = 0; i < count_; ++i) {
    if (!entries_[i].defined && !entries_[i].references.empty()) {
      return &entries_[i];
    }
  }
  return nullptr;
}

void LabelTable::Resolve(CodeBuffer& code) const {
  for (int32_t i = 0; i < count_; ++i) {
    const LabelEntry& entry = entries_[i];
    if (!entry.defined) {
      continue;
    }
    for (const uint16_t position : entry.references) {
      code.Patch16(position, entry.offset);
    }
  }
}

}  // namespace zet
