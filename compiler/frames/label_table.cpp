#include "compiler/frames/label_table.h"

#include <cstring>

#include "compiler/frames/ani_error.h"
#include "compiler/frames/code_buffer.h"

namespace zet {

namespace {

// FNV-1a: different names rarely share a value, so most entries are passed
// over without reading their names.
uint32_t NameHash(const char* name, size_t length) {
  uint32_t hash = 2166136261u;
  for (size_t i = 0; i < length; ++i) {
    hash = (hash ^ static_cast<unsigned char>(name[i])) * 16777619u;
  }
  return hash;
}

}  // namespace

LabelTable::LabelTable() = default;

int32_t LabelTable::IndexOf(const char* name, size_t length, uint32_t hash) const {
  for (int32_t i = 0; i < count_; ++i) {
    const LabelEntry& entry = entries_[i];
    if (entry.nameHash == hash && entry.name.size() == length &&
        memcmp(entry.name.data(), name, length) == 0) {
      return i;
    }
  }
  return -1;
}

const LabelEntry* LabelTable::Find(const char* name) const {
  const size_t length = strlen(name);
  const int32_t index = IndexOf(name, length, NameHash(name, length));
  return index < 0 ? nullptr : &entries_[index];
}

LabelEntry& LabelTable::FindOrAdd(const char* name) {
  const size_t length = strlen(name);
  const uint32_t hash = NameHash(name, length);
  const int32_t index = IndexOf(name, length, hash);
  if (index >= 0) {
    return entries_[index];
  }
  if (count_ >= kMaxLabels) {
    throw AniTooManyLabel();
  }
  LabelEntry& entry = entries_[count_];
  entry.name.assign(name, length);
  entry.nameHash = hash;
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
