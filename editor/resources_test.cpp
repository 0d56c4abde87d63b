// Reads the dialog template and the version block back from the built Zetview.exe,
// which lies beside this test program, and checks every field.
#include <windows.h>

#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "tests/support/win32_handles.h"
#include "tests/support/win32_resources.h"
#include "version.h"

namespace zet {
namespace {

const LPCWSTR kDialogType = MAKEINTRESOURCEW(5);    // RT_DIALOG
const LPCWSTR kVersionType = MAKEINTRESOURCEW(16);  // RT_VERSION

std::wstring ZetviewPath() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring text = path;
  return text.substr(0, text.rfind(L'\\') + 1) + L"Zetview.exe";
}

struct Control {
  WORD id;
  const char* windowClass;  // #128 button, #129 edit, #130 static, #133 combo box
  const char* text;
  DWORD style;
  short x, y, cx, cy;
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

// Template order, which is the tab order.
const Control kControls[] = {
    {0xFFFF, "#130", "タイトル(&T)", kChild | SS_LEFT | WS_GROUP, 7, 13, 45, 8},
    {1002, "#129", "", kChild | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 55, 9, 173, 14},
    {0xFFFF, "#130", "アイコン(&I)", kChild | SS_LEFT | WS_GROUP, 10, 31, 42, 8},
    {1001, "#133", "", kChild | CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 55, 28, 173, 138},
    {0xFFFF, "#130", "ボタン(&B)", kChild | SS_LEFT | WS_GROUP, 8, 49, 43, 8},
    {1000, "#133", "", kChild | CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 55, 46, 173, 141},
    {1005, "#128", "ヘルプボタンを追加(&H)", kChild | BS_AUTOCHECKBOX | WS_TABSTOP, 55, 63, 93, 10},
    {0xFFFF, "#130", "本文(&M)", kChild | SS_LEFT | WS_GROUP, 7, 76, 35, 8},
    {1003, "#129", "",
     kChild | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | WS_BORDER | WS_VSCROLL | WS_HSCROLL |
         WS_TABSTOP,
     7, 87, 229, 94},
    {1004, "#128", "メッセージボックスの表示(&S)", kChild | BS_DEFPUSHBUTTON | WS_TABSTOP, 7, 192,
     148, 14},
    {IDCANCEL, "#128", "閉じる(&C)", kChild | BS_PUSHBUTTON | WS_TABSTOP, 186, 192, 50, 14},
};

class ResourcesTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(program_.Get(), nullptr) << "cannot load Zetview.exe"; }
  UniqueModule program_{LoadLibraryExW(ZetviewPath().c_str(), nullptr,
                                       LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE)};
};

TEST_F(ResourcesTest, DialogTemplateIsTheClassicJapaneseEditorDialog) {
  ASSERT_EQ(ResourceLanguages(program_.Get(), kDialogType, MAKEINTRESOURCEW(101)),
            std::vector<WORD>{kJapanese});
  ResourceFields reader = JapaneseResource(program_.Get(), kDialogType, MAKEINTRESOURCEW(101));

  EXPECT_EQ(reader.Dword(), 0x00C80AC0u) << "style (an extended template starts 0xFFFF0001)";
  EXPECT_EQ(reader.Dword(), 0u) << "extended style";
  const WORD count = reader.Word();
  EXPECT_EQ(reader.Short(), 0);
  EXPECT_EQ(reader.Short(), 0);
  EXPECT_EQ(reader.Short(), 243);
  EXPECT_EQ(reader.Short(), 213);
  EXPECT_EQ(reader.NameOrOrdinal(), "") << "menu";
  EXPECT_EQ(reader.NameOrOrdinal(), "") << "class";
  EXPECT_EQ(ShiftJis(reader.Text()), "Zetrova メッセージボックスエディタ");
  EXPECT_EQ(reader.Word(), 9) << "point size";
  EXPECT_EQ(ShiftJis(reader.Text()), "ＭＳ Ｐゴシック");

  ASSERT_EQ(count, std::size(kControls));
  for (const Control& expected : kControls) {
    SCOPED_TRACE(expected.id);
    reader.AlignTo4();
    EXPECT_EQ(reader.Dword(), expected.style);
    EXPECT_EQ(reader.Dword(), 0u) << "extended style";
    EXPECT_EQ(reader.Short(), expected.x);
    EXPECT_EQ(reader.Short(), expected.y);
    EXPECT_EQ(reader.Short(), expected.cx);
    EXPECT_EQ(reader.Short(), expected.cy);
    EXPECT_EQ(reader.Word(), expected.id);
    EXPECT_EQ(reader.NameOrOrdinal(), expected.windowClass);
    EXPECT_EQ(reader.NameOrOrdinal(), expected.text);
    EXPECT_EQ(reader.Word(), 0) << "creation data";
  }
  EXPECT_FALSE(reader.Overrun());
}

TEST_F(ResourcesTest, VersionBlockIsJapaneseUnicode1002) {
  EXPECT_EQ(ResourceLanguages(program_.Get(), kVersionType, MAKEINTRESOURCEW(1)),
            std::vector<WORD>{kJapanese});
  VersionBlock version(ZetviewPath());
  ASSERT_FALSE(version.Empty());

  UINT size = 0;
  const VS_FIXEDFILEINFO* fixed = version.Fixed();
  ASSERT_NE(fixed, nullptr);
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
