#include "tests/winctl/fields.h"

#include "platform/shift_jis.h"

namespace zet::winctl {
namespace {

bool IsHexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') {
    return c - '0';
  }
  if (c >= 'a' && c <= 'f') {
    return c - 'a' + 10;
  }
  return c - 'A' + 10;
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

void AppendHexByte(std::string& out, unsigned char byte) {
  static const char kDigits[] = "0123456789ABCDEF";
  out += "\\x";
  out += kDigits[byte >> 4];
  out += kDigits[byte & 0x0F];
}

}  // namespace

std::string Escape(const std::string& text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (CharSize(text, i) == 2) {
      out += text[i];
      out += text[++i];
    } else if (byte == '\\') {
      out += "\\\\";
    } else if (byte == '\t') {
      out += "\\t";
    } else if (byte == '\r') {
      out += "\\r";
    } else if (byte == '\n') {
      out += "\\n";
    } else if (byte < 0x20 || byte == 0x7F || IsLeadByte(byte)) {
      AppendHexByte(out, byte);  // a control byte, or a lead byte cut off at the end
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string Unescape(const std::string& field) {
  std::string out;
  for (size_t i = 0; i < field.size(); ++i) {
    const auto byte = static_cast<unsigned char>(field[i]);
    if (CharSize(field, i) == 2) {
      out += field[i];
      out += field[++i];
      continue;
    }
    if (byte != '\\') {
      out += field[i];
      continue;
    }
    if (i + 1 >= field.size()) {
      throw std::string("escape at the end of \"" + field + "\"");
    }
    const char kind = field[++i];
    if (kind == '\\') {
      out += '\\';
    } else if (kind == 't') {
      out += '\t';
    } else if (kind == 'r') {
      out += '\r';
    } else if (kind == 'n') {
      out += '\n';
    } else if (kind == 's') {
      out += ' ';
    } else if (kind == 'x' && i + 2 < field.size() && IsHexDigit(field[i + 1]) &&
               IsHexDigit(field[i + 2])) {
      out += static_cast<char>(HexValue(field[i + 1]) * 16 + HexValue(field[i + 2]));
      i += 2;
    } else {
      throw std::string("unknown escape in \"" + field + "\"");
    }
  }
  return out;
}

std::vector<std::string> SplitFields(const std::string& line) {
  std::vector<std::string> fields;
  if (line.find('\t') != std::string::npos) {
    size_t start = 0;
    for (size_t tab; (tab = line.find('\t', start)) != std::string::npos; start = tab + 1) {
      fields.push_back(line.substr(start, tab - start));
    }
    fields.push_back(line.substr(start));
    return fields;
  }
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && line[i] == ' ') {
      ++i;
    }
    const size_t start = i;
    while (i < line.size() && line[i] != ' ') {
      ++i;
    }
    if (i > start) {
      fields.push_back(line.substr(start, i - start));
    }
  }
  return fields;
}

int64_t ParseNumber(const std::string& field) {
  const bool negative = !field.empty() && field[0] == '-';
  size_t i = negative ? 1 : 0;
  const bool hex =
      field.size() > i + 2 && field[i] == '0' && (field[i + 1] == 'x' || field[i + 1] == 'X');
  if (hex) {
    i += 2;
  }
  if (i >= field.size()) {
    throw std::string("not a number: \"" + field + "\"");
  }
  uint64_t value = 0;
  for (; i < field.size(); ++i) {
    const char c = field[i];
    if (hex ? !IsHexDigit(c) : !IsDigit(c)) {
      throw std::string("not a number: \"" + field + "\"");
    }
    value = value * (hex ? 16 : 10) + static_cast<uint64_t>(HexValue(c));
  }
  return negative ? -static_cast<int64_t>(value) : static_cast<int64_t>(value);
}

std::string FormatHex(uint64_t value) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string digits;
  do {
    digits.insert(digits.begin(), kDigits[value & 0x0F]);
    value >>= 4;
  } while (value != 0);
  return "0x" + digits;
}

}  // namespace zet::winctl
