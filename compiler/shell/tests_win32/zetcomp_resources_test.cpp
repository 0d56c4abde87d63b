// The dialog template and the version block as they are built into
// Zetcomp.exe, read back field by field.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "compiler/resources/resource.h"
#include "tests/support/win32_handles.h"
#include "version.h"

namespace zet {
namespace {

constexpr WORD kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);

std::string ShiftJis(const std::wstring& text) {
  std::string out(text.size() * 2 + 1, '\0');
  out.resize(WideCharToMultiByte(932, 0, text.c_str(), static_cast<int>(text.size()), out.data(),
                                 static_cast<int>(out.size()), nullptr, nullptr));
  return out;
}

// Reads a resource's fields in order, with the alignment the formats ask for.
class Fields {
 public:
  Fields(const void* data, size_t size)
      : data_(static_cast<const unsigned char*>(data)), size_(size) {}

  template <typename T>
  T Read() {
    T value{};
    if (pos_ + sizeof value <= size_) {
      memcpy(&value, data_ + pos_, sizeof value);
    }
    pos_ += sizeof value;
    return value;
  }
  std::wstring Text() {
    std::wstring text;
    for (wchar_t c = Read<wchar_t>(); c != L'\0' && pos_ <= size_; c = Read<wchar_t>()) {
      text += c;
    }
    return text;
  }
  // A name or an ordinal: "#n" for the ordinal n.
  std::string NameOrOrdinal() {
    if (pos_ + 2 <= size_ && Peek<WORD>() == 0xFFFF) {
      Read<WORD>();
      return "#" + std::to_string(Read<WORD>());
    }
    return ShiftJis(Text());
  }
  void AlignTo4() { pos_ = (pos_ + 3) & ~size_t{3}; }
  bool Overrun() const { return pos_ > size_; }

 private:
  template <typename T>
  T Peek() {
    T value{};
    memcpy(&value, data_ + pos_, sizeof value);
    return value;
  }

  const unsigned char* data_;
  size_t size_;
  size_t pos_ = 0;
};

BOOL CALLBACK CollectLanguage(HMODULE, LPCSTR, LPCSTR, WORD language, LONG_PTR found) {
  reinterpret_cast<std::vector<WORD>*>(found)->push_back(language);
  return TRUE;
}

std::vector<WORD> Languages(HMODULE module, LPCSTR type, LPCSTR name) {
  std::vector<WORD> languages;
  EnumResourceLanguagesA(module, type, name, CollectLanguage,
                         reinterpret_cast<LONG_PTR>(&languages));
  return languages;
}

struct Control {
  DWORD style;
  short x, y, cx, cy;
  DWORD id;
  std::string windowClass;
  std::string text;
};

TEST(ZetcompResourcesTest, LogWindowTemplate) {
  const UniqueModule module(LoadLibraryExA(ZETCOMP_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE));
  ASSERT_NE(module.Get(), nullptr) << ZETCOMP_EXE;
  const LPCSTR name = MAKEINTRESOURCEA(IDD_LOG_WINDOW);
  EXPECT_EQ(Languages(module.Get(), RT_DIALOG, name), std::vector<WORD>{kJapanese});
  HRSRC found = FindResourceExA(module.Get(), RT_DIALOG, name, kJapanese);
  ASSERT_NE(found, nullptr);
  Fields f(LockResource(LoadResource(module.Get(), found)), SizeofResource(module.Get(), found));

  EXPECT_EQ(f.Read<WORD>(), 1);  // extended template
  EXPECT_EQ(f.Read<WORD>(), 0xFFFF);
  EXPECT_EQ(f.Read<DWORD>(), 0u);           // help id
  EXPECT_EQ(f.Read<DWORD>(), 0x00000200u);  // WS_EX_CLIENTEDGE
  EXPECT_EQ(f.Read<DWORD>(), 0x00CC0A40u);  // caption, menu, frame, centred, foreground, font
  const WORD count = f.Read<WORD>();
  const short frame[] = {f.Read<short>(), f.Read<short>(), f.Read<short>(), f.Read<short>()};
  EXPECT_EQ(std::vector<short>(frame, frame + 4), (std::vector<short>{0, 0, 170, 177}));
  EXPECT_EQ(f.NameOrOrdinal(), "");  // no menu
  EXPECT_EQ(f.NameOrOrdinal(), "");  // the dialog class
  EXPECT_EQ(ShiftJis(f.Text()), "Zetrova コンパイラ");
  EXPECT_EQ(f.Read<WORD>(), 9);  // points
  f.Read<WORD>();                // weight
  f.Read<BYTE>();                // italic
  f.Read<BYTE>();                // character set
  EXPECT_EQ(ShiftJis(f.Text()), "ＭＳ Ｐゴシック");

  const Control expected[] = {
      {WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_READONLY |
           WS_BORDER | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
       5, 5, 157, 133, 1000, "#129", ""},
      {WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | WS_TABSTOP, 49, 145, 50, 14, 1002, "#128",
       "ヘルプ(&H)"},
      {WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON | WS_TABSTOP, 112, 145, 50, 14, 1, "#128",
       "閉じる(&C)"},
      {WS_CHILD | WS_VISIBLE | SS_RIGHT | WS_GROUP, 90, 163, 73, 8, 1001, "#130",
       ZETCOMP_VERSION_LINE},
  };
  ASSERT_EQ(count, std::size(expected));
  for (const Control& want : expected) {
    f.AlignTo4();
    EXPECT_EQ(f.Read<DWORD>(), 0u) << want.id;  // help id
    EXPECT_EQ(f.Read<DWORD>(), 0u) << want.id;  // extended style
    EXPECT_EQ(f.Read<DWORD>(), want.style) << want.id;
    const short place[] = {f.Read<short>(), f.Read<short>(), f.Read<short>(), f.Read<short>()};
    EXPECT_EQ(std::vector<short>(place, place + 4),
              (std::vector<short>{want.x, want.y, want.cx, want.cy}))
        << want.id;
    EXPECT_EQ(f.Read<DWORD>(), want.id);
    EXPECT_EQ(f.NameOrOrdinal(), want.windowClass) << want.id;
    EXPECT_EQ(f.NameOrOrdinal(), want.text) << want.id;
    EXPECT_EQ(f.Read<WORD>(), 0) << want.id;  // no creation data
  }
  EXPECT_FALSE(f.Overrun());
}

std::string VersionString(const std::vector<char>& block, const wchar_t* key) {
  void* value = nullptr;
  UINT length = 0;
  const std::wstring path = std::wstring(L"\\StringFileInfo\\041104b0\\") + key;
  if (!VerQueryValueW(block.data(), path.c_str(), &value, &length) || length == 0) {
    return "(missing)";
  }
  return ShiftJis(static_cast<const wchar_t*>(value));
}

TEST(ZetcompResourcesTest, VersionBlock) {
  const UniqueModule module(LoadLibraryExA(ZETCOMP_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE));
  ASSERT_NE(module.Get(), nullptr) << ZETCOMP_EXE;
  EXPECT_EQ(Languages(module.Get(), RT_VERSION, MAKEINTRESOURCEA(VS_VERSION_INFO)),
            std::vector<WORD>{kJapanese});

  DWORD ignored = 0;
  std::vector<char> block(GetFileVersionInfoSizeA(ZETCOMP_EXE, &ignored));
  ASSERT_FALSE(block.empty());
  ASSERT_TRUE(GetFileVersionInfoA(ZETCOMP_EXE, 0, static_cast<DWORD>(block.size()), block.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileVersionMS, ZETCOMP_VERSION_MS);
  EXPECT_EQ(fixed->dwFileVersionLS, ZETCOMP_VERSION_LS);
  EXPECT_EQ(fixed->dwProductVersionMS, ZETCOMP_VERSION_MS);
  EXPECT_EQ(fixed->dwProductVersionLS, ZETCOMP_VERSION_LS);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
  EXPECT_EQ(fixed->dwFileFlags, 0u);

  WORD* translation = nullptr;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&translation), &length));
  ASSERT_EQ(length, 4u);
  EXPECT_EQ(translation[0], 0x0411);
  EXPECT_EQ(translation[1], 1200);

  const struct {
    const wchar_t* key;
    const char* text;
  } strings[] = {
      {L"FileDescription", "Zetrova コンパイラ"}, {L"FileVersion", ZETCOMP_VERSION_TEXT},
      {L"ProductVersion", ZETCOMP_VERSION_TEXT},  {L"InternalName", "Zetcomp"},
      {L"OriginalFilename", "Zetcomp.exe"},
  };
  for (const auto& s : strings) {
    EXPECT_EQ(VersionString(block, s.key), s.text) << ShiftJis(s.key);
  }
}

}  // namespace
}  // namespace zet
