/* zetrt: shows the animated message boxes of a compiled message file (.ztr)
 * inside a Windows application. A C interface: usable from C, C++ and any
 * language that calls a DLL (zetrt.dll; or link the static library zetrt).
 *
 *   ZetMessages *messages;
 *   if (ZetOpenFileA("demo.ztr", &messages) == 0) {
 *     int answer = ZetMessageBoxA(messages, hwnd, "保存しますか?", "demo",
 *                                 MB_YESNO | MB_ICONQUESTION);
 *     ZetClose(messages);
 *   }
 *
 * The open calls return 0 or a Windows error code: the system's for a file
 * that cannot be read, ERROR_INVALID_DATA for one that is not a sound
 * compiled message file or whose strips cannot be drawn. An opened file is
 * immutable and may be shared by threads.
 *
 * The box calls take the arguments of MessageBoxA / MessageBoxW and return
 * what it returns (0, with the last error set, on failure). Texts are
 * Shift-JIS (code page 932) in the A forms, UTF-16 in the W forms. A NULL
 * text shows the kind's message from the file. The icon bits of `type` pick
 * the kind (none: NOICON; MB_ICONASTERISK, MB_ICONEXCLAMATION, MB_ICONHAND,
 * MB_ICONQUESTION), whose animation stands in the icon's place. */
#ifndef ZETRT_H
#define ZETRT_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(ZETRT_BUILDING_DLL)
#define ZETRT_API __declspec(dllexport)
#elif defined(ZETRT_STATIC)
#define ZETRT_API
#else
#define ZETRT_API __declspec(dllimport)
#endif

typedef struct ZetMessages ZetMessages; /* one opened compiled file */

/* The player's settings for one box; a field left 0 takes its default. */
typedef struct ZetBoxOptions {
  DWORD cbSize;            /* sizeof(ZetBoxOptions) */
  DWORD unitMs;            /* the unit of FRAMETIME in ms (default 1, at most 60000) */
  DWORD defaultMs;         /* the frame time for a FRAMETIME of 0 or less (default 100) */
  unsigned long long seed; /* of the random branches (default: drawn from the clock) */
} ZetBoxOptions;

ZETRT_API DWORD WINAPI ZetOpenFileA(const char* path, ZetMessages** out);
ZETRT_API DWORD WINAPI ZetOpenFileW(const wchar_t* path, ZetMessages** out);
/* Copies the bytes: they may be freed when the call returns. */
ZETRT_API DWORD WINAPI ZetOpenMemory(const void* bytes, DWORD size, ZetMessages** out);
ZETRT_API void WINAPI ZetClose(ZetMessages* messages);

ZETRT_API int WINAPI ZetMessageBoxA(const ZetMessages* m, HWND owner, const char* text,
                                    const char* caption, UINT type);
ZETRT_API int WINAPI ZetMessageBoxW(const ZetMessages* m, HWND owner, const wchar_t* text,
                                    const wchar_t* caption, UINT type);
ZETRT_API int WINAPI ZetMessageBoxExA(const ZetMessages* m, HWND owner, const char* text,
                                      const char* caption, UINT type, const ZetBoxOptions* options);
ZETRT_API int WINAPI ZetMessageBoxExW(const ZetMessages* m, HWND owner, const wchar_t* text,
                                      const wchar_t* caption, UINT type,
                                      const ZetBoxOptions* options);

/* For tests and automation: the registered window message "ZetrovaFrame",
 * sent to a box's own window. wParam 0: the frame shown now plus 1 (0 when
 * the plain system box stands in); wParam 1: how many steps of the run have
 * shown a frame so far, the one on screen included. */
#define ZETRT_FRAME_MESSAGE "ZetrovaFrame"

#ifdef __cplusplus
}
#endif

#endif /* ZETRT_H */
