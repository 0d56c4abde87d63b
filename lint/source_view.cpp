#include "lint/source_view.h"

#include <algorithm>
#include <utility>

#include "platform/shift_jis.h"

namespace zetlint {

using zet::ProfileLine;

SourceView::SourceView(std::string text)
    : index_(std::move(text)), file_(index_), lines_(index_.Lines()) {}

const ProfileLine* SourceView::LineAt(uint32_t offset) const {
  const auto found =
      std::lower_bound(lines_.begin(), lines_.end(), offset,
                       [](const ProfileLine& line, uint32_t at) { return line.offset < at; });
  return found != lines_.end() && found->offset == offset ? &*found : nullptr;
}

const ProfileLine* SourceView::KeyLine(const char* section, const char* key) const {
  uint32_t offset = 0;
  return index_.FindKeyLine(section, key, offset) ? LineAt(offset) : nullptr;
}

const ProfileLine* SourceView::HeaderLine(const char* section) const {
  uint32_t offset = 0;
  return index_.FindHeaderLine(section, offset) ? LineAt(offset) : nullptr;
}

// Characters are counted with the double-byte step; a column past the end
// of the line (the end of a frames program) counts on in single bytes.
Place SourceView::At(const ProfileLine& line, uint32_t column) {
  const std::string_view text = line.text;
  const size_t bytes = std::min<size_t>(column - 1, text.size());
  uint32_t characters = 0;
  for (size_t pos = 0; pos < bytes; pos += zet::CharSize(text, pos)) {
    ++characters;
  }
  return Place{line.number, column, characters + 1 + static_cast<uint32_t>(column - 1 - bytes)};
}

Place SourceView::KeyPlace(const char* section, const char* key) const {
  if (const ProfileLine* line = KeyLine(section, key)) {
    return At(*line, line->valueColumn);
  }
  return HeaderPlace(section);
}

Place SourceView::HeaderPlace(const char* section) const {
  if (const ProfileLine* line = HeaderLine(section)) {
    return At(*line, line->nameColumn);
  }
  return Place{};
}

}  // namespace zetlint
