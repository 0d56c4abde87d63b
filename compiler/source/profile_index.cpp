#include "compiler/source/profile_index.h"

#include <algorithm>
#include <cstring>

#include "compiler/common/shift_jis.h"

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
std::string FoldCase(const char* begin, const char* end) {
  std::string folded;
  folded.reserve(static_cast<size_t>(end - begin));
  const std::string_view text(begin, static_cast<size_t>(end - begin));
  for (size_t pos = 0; pos < text.size(); pos += CharSize(text, pos)) {
    if (CharSize(text, pos) == 2) {
      folded.append(text.substr(pos, 2));
    } else {
      const char c = text[pos];
      folded += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
  }
  return folded;
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
std::string Unquoted(const char* begin, const char* end) {
  if (end - begin >= 2 && (*begin == '"' || *begin == '\'') && end[-1] == *begin) {
    ++begin;
    --end;
  }
  return std::string(begin, end);
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
  return FoldCase(begin, end);
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

ProfileIndex::ProfileIndex(const std::string& text) {
  Keys* current = nullptr;  // lines before the first header belong to no section
  const char* p = text.data();
  const char* const end = p + text.size();
  while (p < end) {
    // CR and LF are never trail bytes; any run of them ends one line.
    const char* lineEnd = std::find_if(p, end, IsLineEnd);
    AddLine(p, lineEnd, current);
    p = std::find_if_not(lineEnd, end, IsLineEnd);
  }
}

// line    = header | comment | key-line | other
// header  = blanks "[" name ( "]" anything | end )
// comment = blanks ";" anything
// key-line = key "=" value
void ProfileIndex::AddLine(const char* begin, const char* end, Keys*& current) {
  TrimBlanks(begin, end);
  if (begin == end || *begin == ';') {
    return;
  }
  if (*begin == '[') {
    const char* nameBegin = begin + 1;
    const char* nameEnd = FindClosingBracket(nameBegin, end);
    TrimBlanks(nameBegin, nameEnd);
    // Only the first section of a name is ever searched.
    const auto inserted = sections_.emplace(FoldCase(nameBegin, nameEnd), Keys());
    current = inserted.second ? &inserted.first->second : nullptr;
    return;
  }
  const char* equals = std::find(begin, end, '=');
  if (equals == end || current == nullptr) {
    return;
  }
  const char* keyEnd = equals;
  const char* valueBegin = equals + 1;
  TrimBlanks(begin, keyEnd);
  TrimBlanks(valueBegin, end);
  // emplace keeps the first line of a key.
  current->emplace(FoldCase(begin, keyEnd), Unquoted(valueBegin, end));
}

const std::string* ProfileIndex::Find(const char* section, const char* key) const {
  const auto keys = sections_.find(FoldedCallName(section));
  if (keys == sections_.end()) {
    return nullptr;
  }
  const auto value = keys->second.find(FoldedCallName(key));
  return value == keys->second.end() ? nullptr : &value->second;
}

std::string ProfileIndex::GetString(const char* section, const char* key,
                                    const char* defaultText) const {
  const std::string* value = Find(section, key);
  if (value != nullptr) {
    return FittedToBuffer(value->data(), value->size());
  }
  const char* text = defaultText != nullptr ? defaultText : "";
  size_t length = strlen(text);
  while (length > 0 && text[length - 1] == ' ') {
    --length;
  }
  return FittedToBuffer(text, length);
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
