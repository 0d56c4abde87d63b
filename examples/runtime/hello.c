/* Shows the QUESTION box of a compiled message file and prints the answer.
 * Build: see CMakeLists.txt beside this file. Run: hello demo.ztr */
#include <stdio.h>
#include <windows.h>
#include <zetrt.h>

int main(int argc, char** argv) {
  const char* path = argc > 1 ? argv[1] : "demo.ztr";
  ZetMessages* messages;
  DWORD error = ZetOpenFileA(path, &messages);
  if (error != 0) {
    fprintf(stderr, "%s cannot be opened: Windows error %lu\n", path, (unsigned long)error);
    return 1;
  }
  /* A NULL text shows the file's own message for the kind (here QUESTION). */
  int answer = ZetMessageBoxW(messages, NULL, NULL, L"Zetrova hello", MB_YESNO | MB_ICONQUESTION);
  ZetClose(messages);
  if (answer == 0) {
    fprintf(stderr, "no box: Windows error %lu\n", (unsigned long)GetLastError());
    return 1;
  }
  printf("answer: %s\n", answer == IDYES ? "yes" : answer == IDNO ? "no" : "other");
  return 0;
}
