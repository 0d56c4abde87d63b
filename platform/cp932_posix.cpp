#include "platform/cp932_posix.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>

#include "platform/little_endian.h"
#include "platform/shift_jis.h"
#include "platform/system_error.h"
#include "platform/system_handles.h"
#include "platform/win32_error.h"

namespace zet {
namespace {

struct ExtraByte {
  unsigned char byte;
  char16_t unit;
};
constexpr ExtraByte kExtraBytes[] = {
    {0x80, u'\u0080'}, {0xA0, u'\uF8F0'}, {0xFD, u'\uF8F1'}, {0xFE, u'\uF8F2'}, {0xFF, u'\uF8F3'}};

// What Windows' code page 932 gives for a byte or pair that is no character.
constexpr char16_t kDefaultUnit = u'\u30FB';

char16_t UnitAt(std::string_view bytes, size_t pos) {
  return ReadLe16(reinterpret_cast<const uint8_t*>(bytes.data() + pos));
}

UniqueIconv Open(const char* to, const char* from) {
  UniqueIconv converter(reinterpret_cast<void*>(iconv_open(to, from)));
  if (!converter.Valid()) {
    throw Win32Error{LastSystemError()};
  }
  return converter;
}

constexpr char kUtf16[] = "UTF-16LE";
constexpr char kCp932[] = "CP932";

// Runs iconv over all of `in`. Where it refuses a sequence, `fallback(rest,
// out)` appends what stands for it and returns how many bytes it takes, or 0
// to fail the conversion.
template <typename Fallback>
bool Convert(const UniqueIconv& converter, std::string_view in, std::string& out,
             Fallback fallback) {
  const auto cd = static_cast<iconv_t>(converter.Get());
  // A descriptor used before starts in its initial state again.
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  char buffer[4096];
  char* input = const_cast<char*>(in.data());
  size_t inputLeft = in.size();
  while (inputLeft > 0) {
    char* output = buffer;
    size_t outputLeft = sizeof buffer;
    const size_t result = iconv(cd, &input, &inputLeft, &output, &outputLeft);
    const int error = errno;
    out.append(buffer, static_cast<size_t>(output - buffer));
    if (result != static_cast<size_t>(-1) || error == E2BIG) {
      continue;
    }
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    const size_t taken = fallback(std::string_view(input, inputLeft), out);
    if (taken == 0) {
      return false;
    }
    input += taken;
    inputLeft -= taken;
  }
  return true;
}

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

bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit < 0xDC00;
}

bool IsLowSurrogate(char16_t unit) {
  return unit >= 0xDC00 && unit < 0xE000;
}

std::string_view AsBytes(std::u16string_view text, std::string& storage) {
  storage.clear();
  storage.reserve(text.size() * 2);
  for (char16_t unit : text) {
    AppendLe16(storage, unit);
  }
  return storage;
}

bool ToUtf16(const UniqueIconv& converter, std::string_view text, std::u16string& out,
             Unmapped unmapped) {
  std::string units;
  const bool done =
      Convert(converter, text, units, [unmapped](std::string_view rest, std::string& to) -> size_t {
        const auto byte = static_cast<unsigned char>(rest[0]);
        if (const char16_t extra = ExtraUnit(byte)) {
          AppendLe16(to, extra);
          return 1;
        }
        if (unmapped == Unmapped::Fail) {
          return 0;
        }
        AppendLe16(to, kDefaultUnit);
        return CharSize(rest, 0);
      });
  out.clear();
  out.reserve(units.size() / 2);
  for (size_t pos = 0; pos + 1 < units.size(); pos += 2) {
    out += UnitAt(units, pos);
  }
  return done;
}

bool FromUtf16(const UniqueIconv& converter, std::u16string_view text, std::string& out,
               Unmapped unmapped) {
  std::string storage;
  out.clear();
  return Convert(converter, AsBytes(text, storage), out,
                 [unmapped](std::string_view rest, std::string& to) -> size_t {
                   const char16_t unit = rest.size() >= 2 ? UnitAt(rest, 0) : 0;
                   if (const char extra = ExtraByteOf(unit)) {
                     to += extra;
                     return 2;
                   }
                   if (unmapped == Unmapped::Fail) {
                     return 0;
                   }
                   to += '?';
                   const bool pair =
                       IsHighSurrogate(unit) && rest.size() >= 4 && IsLowSurrogate(UnitAt(rest, 2));
                   return pair ? 4 : rest.size() >= 2 ? 2 : rest.size();
                 });
}

}  // namespace

bool Cp932ToUtf16(std::string_view text, std::u16string& out, Unmapped unmapped) {
  return ToUtf16(Open(kUtf16, kCp932), text, out, unmapped);
}

bool Utf16ToCp932(std::u16string_view text, std::string& out, Unmapped unmapped) {
  return FromUtf16(Open(kCp932, kUtf16), text, out, unmapped);
}

Cp932Converter::Cp932Converter()
    : toUtf16_(Open(kUtf16, kCp932)), fromUtf16_(Open(kCp932, kUtf16)) {}

bool Cp932Converter::ToUtf16(std::string_view text, std::u16string& out, Unmapped unmapped) const {
  return zet::ToUtf16(toUtf16_, text, out, unmapped);
}

bool Cp932Converter::FromUtf16(std::u16string_view text, std::string& out,
                               Unmapped unmapped) const {
  return zet::FromUtf16(fromUtf16_, text, out, unmapped);
}

bool Cp932ToUtf8(std::string_view text, std::string& out, Unmapped unmapped) {
  out.clear();
  return Convert(Open("UTF-8", kCp932), text, out,
                 [unmapped](std::string_view rest, std::string& to) -> size_t {
                   if (const char16_t extra = ExtraUnit(static_cast<unsigned char>(rest[0]))) {
                     // U+0080 and the private-use units, as UTF-8 writes them.
                     if (extra < 0x800) {
                       to += static_cast<char>(0xC0 | extra >> 6);
                     } else {
                       to += static_cast<char>(0xE0 | extra >> 12);
                       to += static_cast<char>(0x80 | (extra >> 6 & 0x3F));
                     }
                     to += static_cast<char>(0x80 | (extra & 0x3F));
                     return 1;
                   }
                   if (unmapped == Unmapped::Fail) {
                     return 0;
                   }
                   to += '?';
                   return 1;
                 });
}

}  // namespace zet
