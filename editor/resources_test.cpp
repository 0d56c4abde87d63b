// Reads the dialog template and the version block back from the built Zetview.exe,
// which lies beside this test program, and checks every field.
#include <windows.h>

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "tests/support/win32_handles.h"
#include "version.h"

namespace zet {
namespace {

constexpr WORD kJapanese = MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT);
const LPCWSTR kDialogType = MAKEINTRESOURCEW(5);    // RT_DIALOG
const LPCWSTR kVersionType = MAKEINTRESOURCEW(16);  // RT_VERSION

std::wstring ZetviewPath() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring text = path;
  return text.substr(0, text.rfind(L'\\') + 1) + L"Zetview.exe";
}

// Walks a classic dialog template word by word.
class TemplateReader {
 public:
  TemplateReader(const BYTE* data, size_t size) : data_(data), size_(size) {}
  WORD Word() {
    if (offset_ + 2 > size_) {
      throw std::string("template ends early");
    }
    const WORD word = static_cast<WORD>(data_[offset_] | (data_[offset_ + 1] << 8));
    offset_ += 2;
    return word;
  }
  DWORD Dword() {
    const WORD low = Word();
    return low | (static_cast<DWORD>(Word()) << 16);
  }
  short Short() { return static_cast<short>(Word()); }
  std::u16string String() {
    std::u16string text;
    for (WORD c; (c = Word()) != 0;) {
      text += static_cast<char16_t>(c);
    }
    return text;
  }
  // A name or an ordinal: 0xFFFF and the ordinal, else a string ("" when absent).
  std::u16string NameOrOrdinal(WORD* ordinal) {
    *ordinal = 0;
    if (offset_ + 2 <= size_ && data_[offset_] == 0xFF && data_[offset_ + 1] == 0xFF) {
      Word();
      *ordinal = Word();
      return u"";
    }
    return String();
  }
  void AlignToDword() { offset_ = (offset_ + 3) & ~static_cast<size_t>(3); }

 private:
  const BYTE* data_;
  size_t size_;
  size_t offset_ = 0;
};

struct Control {
  WORD id;
  WORD class_atom;  // 0x80 button, 0x81 edit, 0x82 static, 0x85 combo box
  std::u16string text;
  DWORD style;
  short x, y, cx, cy;
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

// Template order, which is the tab order.
const Control kControls[] = {
    {0xFFFF, 0x82, u"タイトル(&T)", kChild | SS_LEFT | WS_GROUP, 7, 13, 45, 8},
    {1002, 0x81, u"", kChild | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 55, 9, 173, 14},
    {0xFFFF, 0x82, u"アイコン(&I)", kChild | SS_LEFT | WS_GROUP, 10, 31, 42, 8},
    {1001, 0x85, u"", kChild | CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 55, 28, 173, 138},
    {0xFFFF, 0x82, u"ボタン(&B)", kChild | SS_LEFT | WS_GROUP, 8, 49, 43, 8},
    {1000, 0x85, u"", kChild | CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 55, 46, 173, 141},
    {1005, 0x80, u"ヘルプボタンを追加(&H)", kChild | BS_AUTOCHECKBOX | WS_TABSTOP, 55, 63, 93, 10},
    {0xFFFF, 0x82, u"本文(&M)", kChild | SS_LEFT | WS_GROUP, 7, 76, 35, 8},
    {1003, 0x81, u"",
     kChild | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_BORDER | WS_VSCROLL | WS_HSCROLL |
         WS_TABSTOP,
     7, 87, 229, 94},
    {1004, 0x80, u"メッセージボックスの表示(&S)", kChild | BS_DEFPUSHBUTTON | WS_TABSTOP, 7, 192,
     148, 14},
    {IDCANCEL, 0x80, u"閉じる(&C)", kChild | BS_PUSHBUTTON | WS_TABSTOP, 186, 192, 50, 14},
};

BOOL CALLBACK CollectLanguage(HMODULE, LPCWSTR, LPCWSTR, WORD language, LONG_PTR list) {
  reinterpret_cast<std::vector<WORD>*>(list)->push_back(language);
  return TRUE;
}

std::vector<WORD> Languages(HMODULE module, LPCWSTR type, LPCWSTR name) {
  std::vector<WORD> languages;
  EnumResourceLanguagesW(module, type, name, CollectLanguage,
                         reinterpret_cast<LONG_PTR>(&languages));
  return languages;
}

class ResourcesTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(program_.Get(), nullptr) << "cannot load Zetview.exe"; }
  UniqueModule program_{LoadLibraryExW(ZetviewPath().c_str(), nullptr,
                                       LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)};
};

TEST_F(ResourcesTest, DialogTemplateIsTheClassicJapaneseEditorDialog) {
  ASSERT_EQ(Languages(program_.Get(), kDialogType, MAKEINTRESOURCEW(101)),
            std::vector<WORD>{kJapanese});
  const HRSRC found =
      FindResourceExW(program_.Get(), kDialogType, MAKEINTRESOURCEW(101), kJapanese);
  ASSERT_NE(found, nullptr);
  TemplateReader reader(static_cast<const BYTE*>(LockResource(LoadResource(program_.Get(), found))),
                        SizeofResource(program_.Get(), found));

  EXPECT_EQ(reader.Dword(), 0x00C80AC0u) << "style (an extended template starts 0xFFFF0001)";
  EXPECT_EQ(reader.Dword(), 0u) << "extended style";
  const WORD count = reader.Word();
  EXPECT_EQ(reader.Short(), 0);
  EXPECT_EQ(reader.Short(), 0);
  EXPECT_EQ(reader.Short(), 243);
  EXPECT_EQ(reader.Short(), 213);
  WORD ordinal = 0;
  EXPECT_EQ(reader.NameOrOrdinal(&ordinal), u"") << "menu";
  EXPECT_EQ(ordinal, 0);
  EXPECT_EQ(reader.NameOrOrdinal(&ordinal), u"") << "class";
  EXPECT_EQ(ordinal, 0);
  EXPECT_EQ(reader.String(), u"Zetrova メッセージボックスエディタ");
  EXPECT_EQ(reader.Word(), 9) << "point size";
  EXPECT_EQ(reader.String(), u"ＭＳ Ｐゴシック");

  ASSERT_EQ(count, std::size(kControls));
  for (const Control& expected : kControls) {
    SCOPED_TRACE(expected.id);
    reader.AlignToDword();
    EXPECT_EQ(reader.Dword(), expected.style);
    EXPECT_EQ(reader.Dword(), 0u) << "extended style";
    EXPECT_EQ(reader.Short(), expected.x);
    EXPECT_EQ(reader.Short(), expected.y);
    EXPECT_EQ(reader.Short(), expected.cx);
    EXPECT_EQ(reader.Short(), expected.cy);
    EXPECT_EQ(reader.Word(), expected.id);
    WORD atom = 0;
    EXPECT_EQ(reader.NameOrOrdinal(&atom), u"");
    EXPECT_EQ(atom, expected.class_atom);
    WORD text_ordinal = 0;
    EXPECT_EQ(reader.NameOrOrdinal(&text_ordinal), expected.text);
    EXPECT_EQ(text_ordinal, 0);
    EXPECT_EQ(reader.Word(), 0) << "creation data";
  }
}

// One value of the version block, read the way Explorer reads it.
class VersionBlock {
 public:
  explicit VersionBlock(const std::wstring& path) {
    DWORD handle = 0;
    data_.resize(GetFileVersionInfoSizeW(path.c_str(), &handle));
    if (!data_.empty() &&
        !GetFileVersionInfoW(path.c_str(), 0, static_cast<DWORD>(data_.size()), data_.data())) {
      data_.clear();
    }
  }
  bool empty() const { return data_.empty(); }
  const void* Value(const wchar_t* name, UINT* size) {
    void* value = nullptr;
    *size = 0;
    return VerQueryValueW(data_.data(), name, &value, size) ? value : nullptr;
  }
  std::u16string String(const std::string& ascii_name) {
    const std::wstring name(ascii_name.begin(), ascii_name.end());
    UINT size = 0;
    const auto* text = static_cast<const char16_t*>(
        Value((L"\\StringFileInfo\\041104b0\\" + name).c_str(), &size));
    return text == nullptr ? u"(missing)" : std::u16string(text);
  }

 private:
  std::vector<BYTE> data_;
};

TEST_F(ResourcesTest, VersionBlockIsJapaneseUnicode1002) {
  EXPECT_EQ(Languages(program_.Get(), kVersionType, MAKEINTRESOURCEW(1)),
            std::vector<WORD>{kJapanese});
  VersionBlock version(ZetviewPath());
  ASSERT_FALSE(version.empty());

  UINT size = 0;
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(version.Value(L"\\", &size));
  ASSERT_NE(fixed, nullptr);
  ASSERT_EQ(size, sizeof(VS_FIXEDFILEINFO));
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileVersionMS, ZETVIEW_VERSION_MS);
  EXPECT_EQ(fixed->dwFileVersionLS, ZETVIEW_VERSION_LS);
  EXPECT_EQ(fixed->dwProductVersionMS, ZETVIEW_VERSION_MS);
  EXPECT_EQ(fixed->dwProductVersionLS, ZETVIEW_VERSION_LS);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

  const auto* translation =
      static_cast<const WORD*>(version.Value(L"\\VarFileInfo\\Translation", &size));
  ASSERT_NE(translation, nullptr);
  ASSERT_EQ(size, 4u);
  EXPECT_EQ(translation[0], 0x0411);
  EXPECT_EQ(translation[1], 0x04B0);

  const struct {
    std::string name;
    std::u16string value;
  } strings[] = {
      {"FileDescription", u"Zetrova メッセージボックス表示ツール"},
      {"FileVersion", u"" ZETVIEW_VERSION_TEXT},
      {"ProductVersion", u"" ZETVIEW_VERSION_TEXT},
      {"InternalName", u"Zetview"},
      {"OriginalFilename", u"Zetview.exe"},
  };
  for (const auto& s : strings) {
    EXPECT_EQ(version.String(s.name), s.value) << s.name;
  }
  for (const std::string name : {"CompanyName", "ProductName"}) {
    const std::u16string value = version.String(name);
    EXPECT_FALSE(value.empty() || value == u"(missing)") << name;
  }
}

// A console program would open a console window beside the dialog.
TEST_F(ResourcesTest, ProgramIsAGuiProgram) {
  // Loaded as an image resource, the module handle is the image base with low bits set.
  const auto* base =
      reinterpret_cast<const BYTE*>(reinterpret_cast<uintptr_t>(program_.Get()) & ~uintptr_t{3});
  const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
  ASSERT_EQ(dos->e_magic, IMAGE_DOS_SIGNATURE);
  const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
  ASSERT_EQ(nt->Signature, static_cast<DWORD>(IMAGE_NT_SIGNATURE));
  EXPECT_EQ(nt->OptionalHeader.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
}

}  // namespace
}  // namespace zet
