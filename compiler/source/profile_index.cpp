#include "compiler/source/profile_index.h"

#include <algorithm>
#include <cstring>

#include "platform/shift_jis.h"

namespace zet {
namespace {

bool IsBlank(char byte) {
  return byte == ' ' || byte == '\t' || byte == '\v';
}

bool IsLineEnd(char byte) {
  return byte == '\r' || byte == '\n';
}

// Blanks are never trail bytes, so trimming byte by byte is safe.
void TrimBlanks(const char*& begin, const char*& end) {
  while (begin < end && IsBlank(*begin)) {
    ++begin;
  }
  while (end > begin && IsBlank(end[-1])) {
    --end;
  }
}

// Names match without regard to ASCII case; the trail byte of a double-byte
// character (which may look like a letter) keeps its value.
template <typename Visit>
void ForEachFolded(std::string_view text, Visit visit) {
  for (size_t pos = 0; pos < text.size(); pos += CharSize(text, pos)) {
    if (CharSize(text, pos) == 2) {
      visit(text[pos]);
      visit(text[pos + 1]);
    } else {
      const char c = text[pos];
      visit((c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c);
    }
  }
}

std::string FoldCase(std::string_view text) {
  std::string folded;
  folded.reserve(text.size());
  ForEachFolded(text, [&](char c) { folded += c; });
  return folded;
}

bool FoldsTo(std::string_view text, std::string_view folded) {
  size_t pos = 0;
  bool equal = true;
  ForEachFolded(text, [&](char c) {
    equal = equal && pos < folded.size() && folded[pos] == c;
    ++pos;
  });
  return equal && pos == folded.size();
}

// FNV-1a over the folded name, seeded with the section for a key.
uint32_t NameHash(std::string_view folded, uint32_t seed) {
  uint32_t hash = 2166136261u ^ seed;
  for (char c : folded) {
    hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
  }
  return hash;
}

// The first "]" that is a character of its own, or `end`.
const char* FindClosingBracket(const char* begin, const char* end) {
  const std::string_view text(begin, static_cast<size_t>(end - begin));
  for (size_t pos = 0; pos < text.size(); pos += CharSize(text, pos)) {
    if (text[pos] == ']') {
      return begin + pos;
    }
  }
  return end;
}

// One pair of matching quotes around the whole value goes.
std::string_view Unquoted(const char* begin, const char* end) {
  if (end - begin >= 2 && (*begin == '"' || *begin == '\'') && end[-1] == *begin) {
    ++begin;
    --end;
  }
  return std::string_view(begin, static_cast<size_t>(end - begin));
}

// Names in a call lose spaces at both ends, and nothing else.
std::string FoldedCallName(const char* name) {
  const char* begin = name;
  const char* end = name + strlen(name);
  while (begin < end && *begin == ' ') {
    ++begin;
  }
  while (end > begin && end[-1] == ' ') {
    --end;
  }
  return FoldCase(std::string_view(begin, static_cast<size_t>(end - begin)));
}

// One line as the index reads it: a header with its name, or a key line
// with its key and value; anything else counts for nothing.
struct ParsedLine {
  enum Kind { Other, Header, Key } kind = Other;
  std::string_view name;  // section name or key
  const char* valueBegin = nullptr;
  const char* valueEnd = nullptr;
};

// line    = header | comment | key-line | other
// header  = blanks "[" name ( "]" anything | end )
// comment = blanks ";" anything
// key-line = key "=" value
ParsedLine ParseLine(const char* begin, const char* end) {
  ParsedLine line;
  TrimBlanks(begin, end);
  if (begin == end || *begin == ';') {
    return line;
  }
  if (*begin == '[') {
    const char* nameBegin = begin + 1;
    const char* nameEnd = FindClosingBracket(nameBegin, end);
    TrimBlanks(nameBegin, nameEnd);
    line.kind = ParsedLine::Header;
    line.name = std::string_view(nameBegin, static_cast<size_t>(nameEnd - nameBegin));
    return line;
  }
  const char* equals = std::find(begin, end, '=');
  if (equals == end) {
    return line;
  }
  const char* keyEnd = equals;
  line.valueBegin = equals + 1;
  line.valueEnd = end;
  TrimBlanks(begin, keyEnd);
  TrimBlanks(line.valueBegin, line.valueEnd);
  line.kind = ParsedLine::Key;
  line.name = std::string_view(begin, static_cast<size_t>(keyEnd - begin));
  return line;
}

// Three slots for every two entries at the most, probed in turn.
size_t SlotCount(size_t entries) {
  return entries + entries / 2 + 1;
}

// What fits the caller's buffer: up to a terminator, at most
// kProfileValueMax bytes, never half a character.
std::string FittedToBuffer(const char* text, size_t length) {
  length = strnlen(text, std::min(length, kProfileValueMax + 1));
  if (length > kProfileValueMax) {
    length = WholeCharsLength(text, kProfileValueMax);
  }
  return std::string(text, length);
}

int DigitValue(char byte) {
  if (byte >= '0' && byte <= '9') {
    return byte - '0';
  }
  if (byte >= 'a' && byte <= 'f') {
    return byte - 'a' + 10;
  }
  if (byte >= 'A' && byte <= 'F') {
    return byte - 'A' + 10;
  }
  return 99;
}

}  // namespace

void ProfileIndex::Table::Reserve(size_t entries) {
  slots.assign(SlotCount(entries), 0);
}

ProfileIndex::ProfileIndex(std::string text) : text_(std::move(text)) {
  const size_t size = std::min<size_t>(text_.size(), UINT32_MAX - 1);
  const char* const data = text_.data();
  // CR and LF are never trail bytes; any run of them ends one line. The
  // lines are walked twice: counted first, so that every table is made once
  // at its final size, then indexed.
  size_t headerLines = 0;
  size_t keyLines = 0;
  for (size_t pos = 0; pos < size;) {
    const size_t lineEnd = std::find_if(data + pos, data + size, IsLineEnd) - data;
    const ParsedLine line = ParseLine(data + pos, data + lineEnd);
    headerLines += line.kind == ParsedLine::Header;
    keyLines += line.kind == ParsedLine::Key;
    pos = std::find_if_not(data + lineEnd, data + size, IsLineEnd) - data;
  }
  headers_.reserve(headerLines);
  sections_.Reserve(headerLines);
  keys_.Reserve(keyLines);
  uint32_t section = 0;  // offset + 1 of the section that counts; 0: none
  for (size_t pos = 0; pos < size;) {
    const size_t lineEnd = std::find_if(data + pos, data + size, IsLineEnd) - data;
    IndexLine(static_cast<uint32_t>(pos), static_cast<uint32_t>(lineEnd), section);
    pos = std::find_if_not(data + lineEnd, data + size, IsLineEnd) - data;
  }
}

// Lines before the first header belong to no section; only the first section
// of a name is ever searched, and only the first line of a key in it.
void ProfileIndex::IndexLine(uint32_t begin, uint32_t end, uint32_t& section) {
  const ParsedLine line = ParseLine(text_.data() + begin, text_.data() + end);
  if (line.kind == ParsedLine::Header) {
    headers_.push_back(begin);
    const std::string folded = FoldCase(line.name);
    uint32_t first = 0;
    if (FindSection(folded, first)) {
      section = 0;
      return;
    }
    Insert(sections_, NameHash(folded, 0), begin);
    section = begin + 1;
    return;
  }
  if (line.kind != ParsedLine::Key || section == 0) {
    return;
  }
  const std::string folded = FoldCase(line.name);
  uint32_t first = 0;
  if (!FindKey(section - 1, folded, first)) {
    Insert(keys_, NameHash(folded, section), begin);
  }
}

void ProfileIndex::Insert(Table& table, uint32_t hash, uint32_t line) {
  size_t slot = hash % table.slots.size();
  while (table.slots[slot] != 0) {
    slot = (slot + 1) % table.slots.size();
  }
  table.slots[slot] = line + 1;
}

// Walks the slots from the hash's own until a free one; `matches` is asked
// about each line found on the way.
template <typename Matches>
bool ProfileIndex::Probe(const Table& table, uint32_t hash, uint32_t& line, Matches matches) const {
  if (table.slots.empty()) {
    return false;
  }
  for (size_t slot = hash % table.slots.size(); table.slots[slot] != 0;
       slot = (slot + 1) % table.slots.size()) {
    const uint32_t begin = table.slots[slot] - 1;
    const char* end = std::find_if(text_.data() + begin, text_.data() + text_.size(), IsLineEnd);
    if (matches(begin, ParseLine(text_.data() + begin, end).name)) {
      line = begin;
      return true;
    }
  }
  return false;
}

bool ProfileIndex::FindSection(std::string_view folded, uint32_t& header) const {
  return Probe(sections_, NameHash(folded, 0), header,
               [&](uint32_t, std::string_view name) { return FoldsTo(name, folded); });
}

bool ProfileIndex::FindKey(uint32_t header, std::string_view folded, uint32_t& line) const {
  return Probe(keys_, NameHash(folded, header + 1), line,
               [&](uint32_t begin, std::string_view name) {
                 return FoldsTo(name, folded) && SectionOf(begin) == header;
               });
}

// The header line above a key line.
uint32_t ProfileIndex::SectionOf(uint32_t line) const {
  return *(std::upper_bound(headers_.begin(), headers_.end(), line) - 1);
}

std::string ProfileIndex::GetString(const char* section, const char* key,
                                    const char* defaultText) const {
  uint32_t header = 0;
  uint32_t line = 0;
  if (FindSection(FoldedCallName(section), header) && FindKey(header, FoldedCallName(key), line)) {
    const char* end = std::find_if(text_.data() + line, text_.data() + text_.size(), IsLineEnd);
    const ParsedLine parsed = ParseLine(text_.data() + line, end);
    const std::string_view value = Unquoted(parsed.valueBegin, parsed.valueEnd);
    return FittedToBuffer(value.data(), value.size());
  }
  const char* text = defaultText != nullptr ? defaultText : "";
  size_t length = strlen(text);
  while (length > 0 && text[length - 1] == ' ') {
    --length;
  }
  return FittedToBuffer(text, length);
}

bool ProfileIndex::FindHeaderLine(const char* section, uint32_t& offset) const {
  return FindSection(FoldedCallName(section), offset);
}

bool ProfileIndex::FindKeyLine(const char* section, const char* key, uint32_t& offset) const {
  uint32_t header = 0;
  return FindSection(FoldedCallName(section), header) &&
         FindKey(header, FoldedCallName(key), offset);
}

ProfileLine ProfileIndex::Describe(uint32_t begin, uint32_t end) const {
  const char* const lineBegin = text_.data() + begin;
  const char* const lineEnd = text_.data() + end;
  const auto column = [&](const char* at) { return static_cast<uint32_t>(at - lineBegin + 1); };
  ProfileLine line;
  line.offset = begin;
  line.text = std::string_view(lineBegin, end - begin);
  const char* trimmedBegin = lineBegin;
  const char* trimmedEnd = lineEnd;
  TrimBlanks(trimmedBegin, trimmedEnd);
  if (trimmedBegin == trimmedEnd) {
    return line;
  }
  const ParsedLine parsed = ParseLine(lineBegin, lineEnd);
  if (*trimmedBegin == ';') {
    line.kind = ProfileLine::Kind::Comment;
  } else if (parsed.kind == ParsedLine::Other) {
    line.kind = ProfileLine::Kind::Other;
  } else {
    line.kind =
        parsed.kind == ParsedLine::Header ? ProfileLine::Kind::Header : ProfileLine::Kind::Key;
    line.name = parsed.name;
    line.nameColumn = column(parsed.name.data());
  }
  if (parsed.kind == ParsedLine::Key) {
    line.value = Unquoted(parsed.valueBegin, parsed.valueEnd);
    line.valueColumn = column(line.value.data());
  }
  return line;
}

// Lines as an editor numbers them; which line counts for each name is asked
// of the index itself, so that it is the line a read finds.
std::vector<ProfileLine> ProfileIndex::Lines() const {
  std::vector<ProfileLine> lines;
  const auto indexOf = [&lines](uint32_t offset) {
    return static_cast<uint32_t>(
        std::lower_bound(lines.begin(), lines.end(), offset,
                         [](const ProfileLine& line, uint32_t at) { return line.offset < at; }) -
        lines.begin());
  };
  const size_t size = std::min<size_t>(text_.size(), UINT32_MAX - 1);
  const char* const data = text_.data();
  uint32_t header = ProfileLine::kNone;
  bool headerCounts = false;
  size_t pos = 0;
  for (uint32_t number = 1;; ++number) {
    const size_t end = std::find_if(data + pos, data + size, IsLineEnd) - data;
    ProfileLine line = Describe(static_cast<uint32_t>(pos), static_cast<uint32_t>(end));
    line.number = number;
    uint32_t first = 0;
    if (line.kind == ProfileLine::Kind::Header) {
      header = static_cast<uint32_t>(lines.size());
      headerCounts = FindSection(FoldCase(line.name), first) && first == line.offset;
      line.first = headerCounts ? header : indexOf(first);
    } else if (line.kind == ProfileLine::Kind::Key && headerCounts &&
               FindKey(lines[header].offset, FoldCase(line.name), first)) {
      line.first = first == line.offset ? static_cast<uint32_t>(lines.size()) : indexOf(first);
    }
    line.header = header;
    lines.push_back(line);
    if (end >= size) {
      return lines;
    }
    pos = end + (data[end] == '\r' && end + 1 < size && data[end + 1] == '\n' ? 2 : 1);
    if (pos >= size) {
      return lines;
    }
  }
}

int32_t ProfileIndex::GetInt(const char* section, const char* key, int32_t defaultValue) const {
  const std::string value = GetString(section, key, "");
  return value.empty() ? defaultValue : ProfileInteger(value);
}

// [controls and spaces] ["+" | "-"] ["0x" hex-digits | decimal-digits] anything,
// wrapping modulo 2^32.
int32_t ProfileInteger(const std::string& value) {
  size_t pos = 0;
  while (pos < value.size() && static_cast<unsigned char>(value[pos]) <= 0x20) {
    ++pos;
  }
  bool negative = false;
  if (pos < value.size() && (value[pos] == '+' || value[pos] == '-')) {
    negative = value[pos] == '-';
    ++pos;
  }
  uint32_t base = 10;
  if (value.compare(pos, 2, "0x") == 0) {
    base = 16;
    pos += 2;
  }
  uint32_t total = 0;
  for (; pos < value.size(); ++pos) {
    const uint32_t digit = static_cast<uint32_t>(DigitValue(value[pos]));
    if (digit >= base) {
      break;
    }
    total = total * base + digit;
  }
  if (negative) {
    total = 0u - total;
  }
  return static_cast<int32_t>(total);
}

}  // namespace zet
