// The editor's one dialog: a dialog procedure that fronts a handler written like a
// window procedure, and the operations behind its controls. Windows only.
#pragma once

#include <windows.h>

#include <cstdint>

namespace zet {

// Registered with DialogBoxParamA for the template IDD_EDITOR_DIALOG.
INT_PTR CALLBACK EditorDialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// Returns the message's result as a window procedure would; what it does not handle
// goes to DefDlgProcA. Called only by EditorDialogProc.
LRESULT DialogHandler(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

// Appends one entry to a combo box and stores `value` on it; an entry that cannot
// be added gets no value.
void AddComboItem(HWND combo, const char* caption, uint32_t value);

// Shows the message box the dialog describes; only a click (notification 0) shows it.
void ShowMessageBox(HWND window, int notificationCode);

#ifdef ZETVIEW_RECORDING_BUILD
// Test builds only: the call that shows the message box, which a test replaces to see
// the exact arguments. The shipped program calls MessageBoxA directly.
using MessageBoxFunction = int(WINAPI*)(HWND, LPCSTR, LPCSTR, UINT);
extern MessageBoxFunction MessageBoxCall;
#endif

}  // namespace zet
