#include <windows.h>

#include "compiler/common/format_string.h"
#include "compiler/shell/log_buffer.h"
#include "compiler/shell/program_path.h"
#include "compiler/shell/shell_registration.h"
#include "platform/system_handles.h"
#include "platform/win32_error.h"

namespace zet {
namespace {

constexpr size_t kPathBufferSize = 512;
constexpr char kUninstallKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Zetcomp";

HKEY RootKey(RegistryRoot root) {
  return root == RegistryRoot::ClassesRoot ? HKEY_CLASSES_ROOT : HKEY_LOCAL_MACHINE;
}

void ThrowOnFailure(LONG status) {
  if (status != ERROR_SUCCESS) {
    throw Win32Error{static_cast<uint32_t>(status)};
  }
}

void SetClassesString(const char* key, const std::string& text) {
  SetRegistryString(RegistryRoot::ClassesRoot, key, nullptr, text);
}

// The full path of notepad.exe by the system's search order; the bare name
// when the search finds nothing, which the shell still resolves.
std::string NotepadPath() {
  char buffer[kPathBufferSize];
  const DWORD length = SearchPathA(nullptr, "notepad.exe", nullptr, sizeof buffer, buffer, nullptr);
  if (length == 0 || length >= sizeof buffer) {
    return "notepad.exe";
  }
  return std::string(buffer, length);
}

}  // namespace

void SetRegistryString(RegistryRoot root, const char* key, const char* valueName,
                       const std::string& text) {
  UniqueRegistryKey opened;
  ThrowOnFailure(RegCreateKeyExA(RootKey(root), key, 0, nullptr, 0, KEY_WRITE, nullptr,
                                 reinterpret_cast<HKEY*>(opened.Receiver()), nullptr));
  ThrowOnFailure(RegSetValueExA(static_cast<HKEY>(opened.Get()), valueName, 0, REG_SZ,
                                reinterpret_cast<const BYTE*>(text.c_str()),
                                static_cast<DWORD>(text.size() + 1)));
}

void InstallShell() {
  SetClassesString("ZetrovaSource", "Zetrovaのソース");
  SetClassesString("ZetrovaSource\\DefaultIcon", FormatString("%s,%d", NotepadPath().c_str(), 1));
  SetClassesString("ZetrovaSource\\Shell\\open", "開く(&O)");
  SetClassesString("ZetrovaSource\\Shell\\open\\command", "notepad.exe \"%1\"");
  SetClassesString("ZetrovaSource\\Shell\\compile", "コンパイル");
  const std::string program = ProgramPath(kPathBufferSize);
  SetClassesString("ZetrovaSource\\Shell\\compile\\command",
                   FormatString("\"%s\" \"%%1\"", program.c_str()));
  SetClassesString("ZetrovaSource\\Shell\\help", "ヘルプ");
  SetClassesString("ZetrovaSource\\Shell\\help\\command",
                   FormatString("winhlp32.exe %s", BesidePath(program, "Zetcomp.hlp").c_str()));
  SetClassesString(".zts", "ZetrovaSource");
  SetRegistryString(RegistryRoot::ClassesRoot, ".zts\\ShellNew", "FileName",
                    BesidePath(program, "sample.zts"));
  SetRegistryString(RegistryRoot::LocalMachine, kUninstallKey, "DisplayName",
                    "Zetrovaコンパイラのアンインストール");
  SetRegistryString(RegistryRoot::LocalMachine, kUninstallKey, "UninstallString",
                    FormatString("\"%s\" -uninstall", program.c_str()));
  AppendLog("Zetrovaコンパイラをインストールしました。\r\n");
}

void UninstallShell() {
  // Every key installation writes, each before its parent: a parent that
  // still holds a subkey cannot be deleted.
  static const struct {
    HKEY root;
    const char* key;
  } kKeys[] = {
      {HKEY_LOCAL_MACHINE, kUninstallKey},
      {HKEY_CLASSES_ROOT, ".zts\\ShellNew"},
      {HKEY_CLASSES_ROOT, ".zts"},
      {HKEY_CLASSES_ROOT, "ZetrovaSource\\Shell\\open\\command"},
      {HKEY_CLASSES_ROOT, "ZetrovaSource\\Shell\\open"},
      {HKEY_CLASSES_ROOT, "ZetrovaSource\\Shell\\compile\\command"},
      {HKEY_CLASSES_ROOT, "ZetrovaSource\\Shell\\compile"},
      {HKEY_CLASSES_ROOT, "ZetrovaSource\\Shell\\help\\command"},
      {HKEY_CLASSES_ROOT, "ZetrovaSource\\Shell\\help"},
      {HKEY_CLASSES_ROOT, "ZetrovaSource\\Shell"},
      {HKEY_CLASSES_ROOT, "ZetrovaSource\\DefaultIcon"},
      {HKEY_CLASSES_ROOT, "ZetrovaSource"},
  };
  for (const auto& entry : kKeys) {
    RegDeleteKeyA(entry.root, entry.key);  // a missing key or missing rights change nothing
  }
  AppendLog("Zetrovaコンパイラをアンインストールしました。\r\n");
  AppendLog("ファイルが不要なら削除してください。\r\n");
}

}  // namespace zet
