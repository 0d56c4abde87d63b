#include <iconv.h>

#include <cerrno>
#include <cstring>

#include "compiler/common/shift_jis.h"
#include "compiler/common/system_error.h"
#include "compiler/common/win32_error.h"
#include "compiler/output/wide_text.h"

namespace zet {
namespace {

// What Windows' code page 932 gives for a byte or pair that is no character.
constexpr char16_t kDefaultChar = u'\u30FB';

// glibc's "CP932" is Windows' variant of Shift-JIS (5C is "\", 81 60 is
// U+FF5E), except for five single bytes that Windows maps and glibc refuses.
char16_t SingleByteExtra(unsigned char byte) {
  switch (byte) {
    case 0x80:
      return u'\u0080';
    case 0xA0:
      return u'\uF8F0';
    case 0xFD:
      return u'\uF8F1';
    case 0xFE:
      return u'\uF8F2';
    case 0xFF:
      return u'\uF8F3';
    default:
      return 0;
  }
}

class Converter {
 public:
  Converter() : cd_(iconv_open("UTF-16LE", "CP932")) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) {
      throw Win32Error{LastSystemError()};
    }
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // Converts as much as it can; stops at a byte sequence that is no
  // character and leaves `in` there.
  void Run(const char*& in, size_t& inLeft, std::u16string& out) {
    char buffer[1024];
    while (inLeft > 0) {
      char* dst = buffer;
      size_t outLeft = sizeof buffer;
      char* src = const_cast<char*>(in);
      const size_t result = iconv(cd_, &src, &inLeft, &dst, &outLeft);
      const int error = errno;
      in = src;
      Append(buffer, static_cast<size_t>(dst - buffer), out);
      if (result == static_cast<size_t>(-1) && error != E2BIG) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        return;
      }
    }
  }

 private:
  static void Append(const char* bytes, size_t count, std::u16string& out) {
    for (size_t i = 0; i + 1 < count; i += 2) {
      out += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                   static_cast<unsigned char>(bytes[i + 1]) << 8);
    }
  }

  iconv_t cd_;
};

}  // namespace

std::u16string ToWideText(const std::string& text) {
  Converter converter;
  std::u16string wide;
  const char* in = text.c_str();
  size_t inLeft = strlen(in);
  while (true) {
    converter.Run(in, inLeft, wide);
    if (inLeft == 0) {
      return wide;
    }
    const unsigned char byte = static_cast<unsigned char>(*in);
    if (const char16_t extra = SingleByteExtra(byte)) {
      wide += extra;
      ++in;
      --inLeft;
      continue;
    }
    // A lead byte takes its trail byte with it, mapped or not.
    const size_t skip = IsLeadByte(byte) && inLeft >= 2 ? 2 : 1;
    wide += kDefaultChar;
    in += skip;
    inLeft -= skip;
  }
}

}  // namespace zet
