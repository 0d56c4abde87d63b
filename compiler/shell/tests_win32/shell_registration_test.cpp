// Registration against the registry of the test prefix: every value read
// back, real failures made with volatile keys (a volatile key takes no
// lasting subkey).
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "compiler/shell/batch_driver.h"
#include "compiler/shell/log_buffer.h"
#include "compiler/shell/program_path.h"
#include "compiler/shell/shell_registration.h"
#include "platform/system_message.h"
#include "platform/win32_error.h"
#include "tests/support/win32_handles.h"

namespace zet {
namespace {

constexpr char kUninstallParent[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
constexpr char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zetcomp";
constexpr char kInstalled[] = "Zetrovaコンパイラをインストールしました。\r\n";
constexpr char kUninstalled[] =
    "Zetrovaコンパイラをアンインストールしました。\r\nファイルが不要なら削除してください。\r\n";

struct Entry {
  HKEY root;
  const char* key;
  const char* value;  // nullptr: the default value
  std::string data;
};

std::string ThisProgram() {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, sizeof path);
  return path;
}

std::string ThisDirectory() {
  const std::string path = ThisProgram();
  return path.substr(0, path.rfind('\\') + 1);
}

std::string Notepad() {
  char path[MAX_PATH] = "";
  SearchPathA(nullptr, "notepad.exe", nullptr, sizeof path, path, nullptr);
  return path;
}

// What installation writes, in its order, for this program.
std::vector<Entry> ExpectedEntries() {
  const std::string program = ThisProgram();
  const std::string directory = ThisDirectory();
  return {
      {HKEY_CLASSES_ROOT, "ZetrovaSource", nullptr, "Zetrovaのソース"},
      {HKEY_CLASSES_ROOT, "ZetrovaSource\\DefaultIcon", nullptr, Notepad() + ",1"},
      {HKEY_CLASSES_ROOT, "ZetrovaSource\\Shell\\open", nullptr, "開く(&O)"},
      {HKEY_CLASSES_ROOT, "ZetrovaSource\\Shell\\open\\command", nullptr, "notepad.exe \"%1\""},
      {HKEY_CLASSES_ROOT, "ZetrovaSource\\Shell\\compile", nullptr, "コンパイル"},
      {HKEY_CLASSES_ROOT, "ZetrovaSource\\Shell\\compile\\command", nullptr,
       "\"" + program + "\" \"%1\""},
      {HKEY_CLASSES_ROOT, "ZetrovaSource\\Shell\\help", nullptr, "ヘルプ"},
      {HKEY_CLASSES_ROOT, "ZetrovaSource\\Shell\\help\\command", nullptr,
       "winhlp32.exe " + directory + "Zetcomp.hlp"},
      {HKEY_CLASSES_ROOT, ".zts", nullptr, "ZetrovaSource"},
      {HKEY_CLASSES_ROOT, ".zts\\ShellNew", "FileName", directory + "sample.zts"},
      {HKEY_LOCAL_MACHINE, kUninstallKey, "DisplayName", "Zetrovaコンパイラのアンインストール"},
      {HKEY_LOCAL_MACHINE, kUninstallKey, "UninstallString", "\"" + program + "\" -uninstall"},
  };
}

UniqueKey OpenKey(HKEY root, const char* name) {
  HKEY key = nullptr;
  return UniqueKey(RegOpenKeyExA(root, name, 0, KEY_READ, &key) == ERROR_SUCCESS ? key : nullptr);
}

bool KeyExists(HKEY root, const char* name) {
  return OpenKey(root, name).Valid();
}

// A REG_SZ value as stored, in the ANSI code page; nothing when it is missing,
// of another type or stored without its terminator.
std::optional<std::string> ReadString(const Entry& entry) {
  const UniqueKey key = OpenKey(entry.root, entry.key);
  if (!key.Valid()) {
    return std::nullopt;
  }
  std::wstring name;
  if (entry.value != nullptr) {
    name.assign(entry.value, entry.value + strlen(entry.value));  // ASCII names
  }
  DWORD type = 0;
  DWORD size = 0;
  if (RegQueryValueExW(key.Get(), entry.value ? name.c_str() : nullptr, nullptr, &type, nullptr,
                       &size) != ERROR_SUCCESS ||
      type != REG_SZ || size < sizeof(wchar_t)) {
    return std::nullopt;
  }
  std::wstring data(size / sizeof(wchar_t), L'\0');
  RegQueryValueExW(key.Get(), entry.value ? name.c_str() : nullptr, nullptr, nullptr,
                   reinterpret_cast<BYTE*>(data.data()), &size);
  if (data.back() != L'\0') {
    return std::nullopt;
  }
  data.pop_back();
  std::string text(data.size() * 2 + 1, '\0');
  text.resize(WideCharToMultiByte(CP_ACP, 0, data.c_str(), static_cast<int>(data.size()),
                                  text.data(), static_cast<int>(text.size()), nullptr, nullptr));
  return text;
}

// Removes whatever an earlier run may have left, subkeys of its own included.
void RemoveRegistration() {
  RegDeleteTreeA(HKEY_CLASSES_ROOT, "ZetrovaSource");
  RegDeleteTreeA(HKEY_CLASSES_ROOT, ".zts");
  RegDeleteTreeA(HKEY_LOCAL_MACHINE, kUninstallKey);
}

class ShellRegistrationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RemoveRegistration();
    LogBuffer.clear();
  }
  void TearDown() override { RemoveRegistration(); }

  void ExpectInstalled(size_t count) {
    const std::vector<Entry> entries = ExpectedEntries();
    for (size_t i = 0; i < entries.size(); ++i) {
      const std::optional<std::string> data = ReadString(entries[i]);
      if (i < count) {
        EXPECT_EQ(data.value_or("(missing)"), entries[i].data) << "entry " << i + 1;
      } else {
        EXPECT_FALSE(data.has_value()) << "entry " << i + 1 << " written: " << *data;
      }
    }
  }
};

TEST_F(ShellRegistrationTest, InstallWritesEveryValueAndCanRunTwice) {
  for (int round = 1; round <= 2; ++round) {
    LogBuffer.clear();
    InstallShell();
    ExpectInstalled(12);
    EXPECT_EQ(LogBuffer, kInstalled) << "round " << round;
  }
}

TEST_F(ShellRegistrationTest, UninstallLeavesNothingOfTheInstallation) {
  InstallShell();
  for (int round = 1; round <= 2; ++round) {
    LogBuffer.clear();
    UninstallShell();
    EXPECT_EQ(LogBuffer, kUninstalled) << "round " << round;
    for (const Entry& entry : ExpectedEntries()) {
      EXPECT_FALSE(KeyExists(entry.root, entry.key)) << entry.key;
    }
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "ZetrovaSource\\Shell"));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallParent));
  }
}

// Creates `name` below its existing or new lasting parents as a volatile key.
void MakeVolatileKey(const char* name) {
  const std::string path = name;
  const size_t cut = path.rfind('\\');
  HKEY key = nullptr;
  if (cut != std::string::npos) {
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, path.substr(0, cut).c_str(), 0, nullptr, 0,
                              KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(key);
  }
  ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, name, 0, nullptr, REG_OPTION_VOLATILE, KEY_WRITE,
                            nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(key);
}

TEST_F(ShellRegistrationTest, StopsAtTheFirstFailureAndKeepsWhatItWrote) {
  const struct {
    const char* volatileKey;
    size_t failingEntry;
  } cases[] = {
      {"ZetrovaSource", 2},
      {"ZetrovaSource\\Shell\\compile", 6},
      {"ZetrovaSource\\Shell\\help", 8},
      {".zts", 10},
  };
  for (const auto& c : cases) {
    RemoveRegistration();
    LogBuffer.clear();
    MakeVolatileKey(c.volatileKey);
    try {
      InstallShell();
      ADD_FAILURE() << "installed over " << c.volatileKey;
    } catch (const Win32Error& error) {
      EXPECT_EQ(error.code, static_cast<uint32_t>(ERROR_CHILD_MUST_BE_VOLATILE)) << c.volatileKey;
    }
    ExpectInstalled(c.failingEntry - 1);
    EXPECT_EQ(LogBuffer, "") << c.volatileKey;
  }
}

TEST_F(ShellRegistrationTest, TheFailureReachesTheLogAsTheSystemsText) {
  MakeVolatileKey("ZetrovaSource\\Shell\\help");
  ModeOperations operations;
  operations.installShell = InstallShell;
  operations.uninstallShell = UninstallShell;
  operations.systemMessage = SystemMessage;
  char program[] = "Zetcomp.exe";
  char option[] = "-install";
  char* argv[] = {program, option};
  EXPECT_TRUE(RunBatch(2, argv, operations));

  char* text = nullptr;
  ASSERT_NE(FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                               FORMAT_MESSAGE_IGNORE_INSERTS,
                           nullptr, ERROR_CHILD_MUST_BE_VOLATILE, 0x0400,
                           reinterpret_cast<char*>(&text), 0, nullptr),
            0u);
  EXPECT_EQ(LogBuffer, std::string(text) + "\r\n");
  LocalFree(text);
  ExpectInstalled(7);
}

TEST_F(ShellRegistrationTest, SetRegistryStringReportsTheRegistryStatus) {
  MakeVolatileKey("ZetrovaSource");
  try {
    SetRegistryString(RegistryRoot::ClassesRoot, "ZetrovaSource\\x", nullptr, "y");
    ADD_FAILURE() << "no failure";
  } catch (const Win32Error& error) {
    EXPECT_EQ(error.code, static_cast<uint32_t>(ERROR_CHILD_MUST_BE_VOLATILE));
  }
  // The empty text is stored with its terminator too.
  SetRegistryString(RegistryRoot::ClassesRoot, "ZetrovaSource", "Empty", "");
  EXPECT_EQ(ReadString({HKEY_CLASSES_ROOT, "ZetrovaSource", "Empty", ""}).value_or("(missing)"),
            "");
}

TEST(BesidePathTest, ReplacesTheFileNameAfterTheLastSeparator) {
  const struct {
    const char* path;
    const char* expected;
  } cases[] = {
      {"C:\\Zetrova\\Zetcomp.exe", "C:\\Zetrova\\Zetcomp.hlp"},
      {"C:/Zetrova/bin\\Zetcomp.exe", "C:/Zetrova/bin\\Zetcomp.hlp"},
      {"C:\\a/Zetcomp.exe", "C:\\a/Zetcomp.hlp"},
      // 表 and ソ end in the byte 0x5C, which is no separator there.
      {"C:\\表示\\Zetcomp.exe", "C:\\表示\\Zetcomp.hlp"},
      {"C:\\Zet\\ソ", "C:\\Zet\\Zetcomp.hlp"},
      {"C:\\ソ表", "C:\\Zetcomp.hlp"},
      {"Zetcomp.exe", "Zetcomp.hlp"},
      {"表", "Zetcomp.hlp"},
      {"", "Zetcomp.hlp"},
      {"C:\\dir\\", "C:\\dir\\Zetcomp.hlp"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BesidePath(c.path, "Zetcomp.hlp"), c.expected) << c.path;
  }
}

TEST(ProgramPathTest, GivesThisProgramCutToTheBuffer) {
  const std::string program = ThisProgram();
  EXPECT_EQ(ProgramPath(512), program);
  EXPECT_EQ(ProgramPath(6), program.substr(0, 5));
}

}  // namespace
}  // namespace zet
