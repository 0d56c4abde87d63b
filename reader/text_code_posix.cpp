#include <iconv.h>

#include <cerrno>

#include "reader/text_code.h"

namespace zetreader {
namespace {

// One conversion descriptor, closed however the conversion ends.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (Valid()) {
      iconv_close(cd_);
    }
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool Valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }
  size_t Run(char** in, size_t* inLeft, char** out, size_t* outLeft) {
    return iconv(cd_, in, inLeft, out, outLeft);
  }

 private:
  iconv_t cd_;
};

// Converts all of `in`; false at the first byte sequence the target cannot
// hold or the source does not allow.
bool Convert(const char* to, const char* from, const std::string& in, std::string& out) {
  Converter converter(to, from);
  if (!converter.Valid()) {
    return false;
  }
  std::string source = in;
  out.assign(in.size() * 2 + 16, '\0');
  char* input = source.data();
  size_t inputLeft = source.size();
  char* output = out.data();
  size_t outputLeft = out.size();
  while (inputLeft > 0) {
    if (converter.Run(&input, &inputLeft, &output, &outputLeft) != static_cast<size_t>(-1)) {
      continue;
    }
    if (errno != E2BIG) {
      return false;
    }
    const size_t used = static_cast<size_t>(output - out.data());
    out.resize(out.size() * 2);
    output = out.data() + used;
    outputLeft = out.size() - used;
  }
  out.resize(static_cast<size_t>(output - out.data()));
  return true;
}

// Windows' code page 932 gives five single bytes a character that iconv's
// CP932 refuses; the compiler reads sources with Windows' mapping.
struct ExtraByte {
  unsigned char byte;
  char16_t unit;
};
constexpr ExtraByte kExtraBytes[] = {
    {0x80, u'\u0080'}, {0xA0, u'\uF8F0'}, {0xFD, u'\uF8F1'}, {0xFE, u'\uF8F2'}, {0xFF, u'\uF8F3'}};

char16_t ExtraUnit(unsigned char byte) {
  for (const ExtraByte& extra : kExtraBytes) {
    if (extra.byte == byte) {
      return extra.unit;
    }
  }
  return 0;
}

char ExtraByteOf(char16_t unit) {
  for (const ExtraByte& extra : kExtraBytes) {
    if (extra.unit == unit) {
      return static_cast<char>(extra.byte);
    }
  }
  return 0;
}

bool IsLeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool RunToShiftJis(const std::string& units, std::string& shiftJis) {
  std::string converted;
  if (!Convert("CP932", "UTF-16LE", units, converted)) {
    return false;
  }
  shiftJis += converted;
  return true;
}

bool RunFromShiftJis(const std::string& run, std::u16string& text) {
  std::string units;
  if (!Convert("UTF-16LE", "CP932", run, units)) {
    return false;
  }
  for (size_t i = 0; i + 1 < units.size(); i += 2) {
    text += static_cast<char16_t>(static_cast<uint8_t>(units[i]) |
                                  static_cast<uint8_t>(units[i + 1]) << 8);
  }
  return true;
}

}  // namespace

bool PlatformToShiftJis(const std::u16string& text, std::string& shiftJis) {
  shiftJis.clear();
  std::string run;
  for (char16_t unit : text) {
    if (const char byte = ExtraByteOf(unit)) {
      if (!RunToShiftJis(run, shiftJis)) {
        return false;
      }
      run.clear();
      shiftJis += byte;
      continue;
    }
    run += static_cast<char>(unit & 0xFF);
    run += static_cast<char>(unit >> 8);
  }
  return RunToShiftJis(run, shiftJis);
}

bool PlatformFromShiftJis(const std::string& shiftJis, std::u16string& text) {
  text.clear();
  size_t runStart = 0;
  for (size_t i = 0; i < shiftJis.size();) {
    const auto byte = static_cast<unsigned char>(shiftJis[i]);
    if (IsLeadByte(byte) && i + 1 < shiftJis.size()) {
      i += 2;
      continue;
    }
    if (const char16_t unit = ExtraUnit(byte)) {
      if (!RunFromShiftJis(shiftJis.substr(runStart, i - runStart), text)) {
        return false;
      }
      text += unit;
      runStart = i + 1;
    }
    ++i;
  }
  return RunFromShiftJis(shiftJis.substr(runStart), text);
}

std::string ToConsoleText(const std::string& shiftJis) {
  std::string text;
  return Convert("UTF-8", "CP932", shiftJis, text) ? text : shiftJis;
}

}  // namespace zetreader
