/* Calls zetrt.dll as a program of Microsoft's tools would: built for the MSVC
 * target and linked by lld-link against zetrt.lib alone, no C run-time, no
 * system header. Exit status: 0 when demo.ztr opens and a missing file gives
 * ERROR_FILE_NOT_FOUND (2); otherwise 100 + the first open's error, or the
 * second's. */
typedef struct ZetMessages ZetMessages;
__declspec(dllimport) unsigned long __stdcall ZetOpenFileA(const char* path, ZetMessages** out);
__declspec(dllimport) void __stdcall ZetClose(ZetMessages* messages);

int __stdcall entry(void) {
  ZetMessages* messages;
  unsigned long error = ZetOpenFileA("demo.ztr", &messages);
  if (error != 0) {
    return 100 + (int)error;
  }
  ZetClose(messages);
  error = ZetOpenFileA("missing.ztr", &messages);
  return error == 2 ? 0 : (int)error;
}
