// The dialog template and the version block as they are built into
// Zetcomp.exe, read back field by field.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "compiler/resources/resource.h"
#include "tests/support/win32_handles.h"
#include "tests/support/win32_resources.h"
#include "version.h"

namespace zet {
namespace {

const LPCWSTR kDialogType = MAKEINTRESOURCEW(5);    // RT_DIALOG
const LPCWSTR kVersionType = MAKEINTRESOURCEW(16);  // RT_VERSION

const std::wstring kProgram(ZETCOMP_EXE, ZETCOMP_EXE + sizeof ZETCOMP_EXE - 1);  // ASCII

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
  const LPCWSTR name = MAKEINTRESOURCEW(IDD_LOG_WINDOW);
  EXPECT_EQ(ResourceLanguages(module.Get(), kDialogType, name), std::vector<WORD>{kJapanese});
  ResourceFields f = JapaneseResource(module.Get(), kDialogType, name);

  EXPECT_EQ(f.Word(), 1);  // extended template
  EXPECT_EQ(f.Word(), 0xFFFF);
  EXPECT_EQ(f.Dword(), 0u);           // help id
  EXPECT_EQ(f.Dword(), 0x00000200u);  // WS_EX_CLIENTEDGE
  EXPECT_EQ(f.Dword(), 0x00CC0A40u);  // caption, menu, frame, centred, foreground, font
  const WORD count = f.Word();
  const short frame[] = {f.Short(), f.Short(), f.Short(), f.Short()};
  EXPECT_EQ(std::vector<short>(frame, frame + 4), (std::vector<short>{0, 0, 170, 177}));
  EXPECT_EQ(f.NameOrOrdinal(), "");  // no menu
  EXPECT_EQ(f.NameOrOrdinal(), "");  // the dialog class
  EXPECT_EQ(ShiftJis(f.Text()), "Zetrova コンパイラ");
  EXPECT_EQ(f.Word(), 9);  // points
  f.Word();                // weight
  f.Byte();                // italic
  f.Byte();                // character set
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
    EXPECT_EQ(f.Dword(), 0u) << want.id;  // help id
    EXPECT_EQ(f.Dword(), 0u) << want.id;  // extended style
    EXPECT_EQ(f.Dword(), want.style) << want.id;
    const short place[] = {f.Short(), f.Short(), f.Short(), f.Short()};
    EXPECT_EQ(std::vector<short>(place, place + 4),
              (std::vector<short>{want.x, want.y, want.cx, want.cy}))
        << want.id;
    EXPECT_EQ(f.Dword(), want.id);
    EXPECT_EQ(f.NameOrOrdinal(), want.windowClass) << want.id;
    EXPECT_EQ(f.NameOrOrdinal(), want.text) << want.id;
    EXPECT_EQ(f.Word(), 0) << want.id;  // no creation data
  }
  EXPECT_FALSE(f.Overrun());
}

TEST(ZetcompResourcesTest, VersionBlock) {
  const UniqueModule module(LoadLibraryExA(ZETCOMP_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE));
  ASSERT_NE(module.Get(), nullptr) << ZETCOMP_EXE;
  EXPECT_EQ(ResourceLanguages(module.Get(), kVersionType, MAKEINTRESOURCEW(VS_VERSION_INFO)),
            std::vector<WORD>{kJapanese});

  VersionBlock block(kProgram);
  ASSERT_FALSE(block.Empty());
  const VS_FIXEDFILEINFO* fixed = block.Fixed();
  ASSERT_NE(fixed, nullptr);
  EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed->dwFileVersionMS, ZETCOMP_VERSION_MS);
  EXPECT_EQ(fixed->dwFileVersionLS, ZETCOMP_VERSION_LS);
  EXPECT_EQ(fixed->dwProductVersionMS, ZETCOMP_VERSION_MS);
  EXPECT_EQ(fixed->dwProductVersionLS, ZETCOMP_VERSION_LS);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));
  EXPECT_EQ(fixed->dwFileFlags, 0u);

  UINT length = 0;
  const auto* translation =
      static_cast<const WORD*>(block.Value(L"\\VarFileInfo\\Translation", &length));
  ASSERT_NE(translation, nullptr);
  ASSERT_EQ(length, 4u);
  EXPECT_EQ(translation[0], 0x0411);
  EXPECT_EQ(translation[1], 1200);

  const struct {
    const char* key;
    const char* text;
  } strings[] = {
      {"FileDescription", "Zetrova コンパイラ"}, {"FileVersion", ZETCOMP_VERSION_TEXT},
      {"ProductVersion", ZETCOMP_VERSION_TEXT},  {"InternalName", "Zetcomp"},
      {"OriginalFilename", "Zetcomp.exe"},
  };
  for (const auto& s : strings) {
    EXPECT_EQ(ShiftJis(block.String(s.key)), s.text) << s.key;
  }
}

}  // namespace
}  // namespace zet
