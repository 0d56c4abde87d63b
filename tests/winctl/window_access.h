// Reading and messaging windows of other processes: every message goes with a
// timeout, so that a hung or busy target makes winctl fail instead of hang.
#pragma once

#include <windows.h>

#include <string>

namespace zet::winctl {

// A window named by its handle; throws a std::string when there is no such window.
HWND ParseWindow(const std::string& field);

std::string FormatWindow(HWND window);

// Sends with a timeout and returns the result; throws a std::string on timeout.
LRESULT SendWithTimeout(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

std::string ClassName(HWND window);

// The text by WM_GETTEXT, as the window itself answers it, of any length.
std::string WindowText(HWND window);

// WM_SETTEXT; throws a std::string when the window refuses the text.
void SetWindowTextOf(HWND window, const std::string& text);

// One entry of a combo box's list.
std::string ComboItemText(HWND combo, int index);

// The control id as a 16-bit value, so that a template's -1 reads as 65535 everywhere.
int ControlId(HWND window);

// Position of a window in its parent's client coordinates (the screen's for a
// top-level window).
RECT RectInParent(HWND window);

}  // namespace zet::winctl
