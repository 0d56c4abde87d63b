// Test build of Zetview: the same entry, dialog and resources, with the message box
// call replaced by one that first writes its exact arguments to stdout, one line per
// call, and then shows the real message box.
#include <windows.h>

#include <cstdint>
#include <cstdio>

#include "editor/editor_dialog.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show);

namespace {

void PrintHex(const char* text) {
  for (const char* p = text; *p != '\0'; ++p) {
    std::printf("%02X", static_cast<unsigned char>(*p));
  }
}

// "MessageBoxA owner=0x... type=0x... caption=<hex bytes> text=<hex bytes>"
int WINAPI RecordingMessageBox(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  std::printf("MessageBoxA owner=0x%llX type=0x%08X caption=",
              static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(owner)), type);
  PrintHex(caption);
  std::printf(" text=");
  PrintHex(text);
  std::printf("\n");
  std::fflush(stdout);
  return MessageBoxA(owner, text, caption, type);
}

}  // namespace

int main() {
  zet::MessageBoxCall = RecordingMessageBox;
  return WinMain(GetModuleHandleA(nullptr), nullptr, GetCommandLineA(), SW_SHOWDEFAULT);
}
