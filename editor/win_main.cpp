// Zetview: one modal dialog that composes a message box and shows it.
#include <windows.h>

#include "editor/editor_dialog.h"
#include "editor/editor_ids.h"

// The command line and the show state are not used; the exit code is always 0.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_EDITOR_DIALOG), nullptr, zet::EditorDialogProc, 0);
  return 0;
}
