// One source as the compiler reads it, with every line's place: the text,
// the profile reader over it, its lines, and the places of the lines that
// reads find.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "compiler/source/profile_index.h"
#include "compiler/source/source_file.h"
#include "lint/diagnostic.h"

namespace zetlint {

class SourceView {
 public:
  explicit SourceView(std::string text);
  SourceView(const SourceView&) = delete;
  SourceView& operator=(const SourceView&) = delete;

  // Reads as the compiler reads: SourceSection and ReadSettings over it.
  const zet::SourceFile& File() const { return file_; }
  const std::vector<zet::ProfileLine>& Lines() const { return lines_; }

  // The line that a read of the key (or of the section's header) finds.
  const zet::ProfileLine* KeyLine(const char* section, const char* key) const;
  const zet::ProfileLine* HeaderLine(const char* section) const;

  // `column` bytes into `line` (from 1), with its character column.
  static Place At(const zet::ProfileLine& line, uint32_t column);
  // The value of the key that a read finds, or its section's header, or
  // no place at all.
  Place KeyPlace(const char* section, const char* key) const;
  Place HeaderPlace(const char* section) const;

 private:
  const zet::ProfileLine* LineAt(uint32_t offset) const;

  zet::ProfileIndex index_;
  zet::SourceFile file_;
  std::vector<zet::ProfileLine> lines_;
};

}  // namespace zetlint
