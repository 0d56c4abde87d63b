// Commands that change windows or hand them input. Input is posted, so that a
// command returns even when it makes the target open a modal window.
#include <windows.h>

#include "tests/winctl/commands.h"
#include "tests/winctl/fields.h"
#include "tests/winctl/window_access.h"

namespace zet::winctl {
namespace {

struct Name {
  const char* name;
  UINT value;
};

const Name kMessages[] = {
    {"WM_NULL", WM_NULL},
    {"WM_CLOSE", WM_CLOSE},
    {"WM_COMMAND", WM_COMMAND},
    {"WM_SYSCOMMAND", WM_SYSCOMMAND},
    {"WM_KEYDOWN", WM_KEYDOWN},
    {"WM_KEYUP", WM_KEYUP},
    {"WM_CHAR", WM_CHAR},
    {"WM_NEXTDLGCTL", WM_NEXTDLGCTL},
    {"WM_GETDLGCODE", WM_GETDLGCODE},
    {"DM_GETDEFID", DM_GETDEFID},
    {"BM_CLICK", BM_CLICK},
};

const Name kKeys[] = {
    {"RETURN", VK_RETURN}, {"ESCAPE", VK_ESCAPE}, {"TAB", VK_TAB},
    {"SPACE", VK_SPACE},   {"F1", VK_F1},         {"LEFT", VK_LEFT},
    {"RIGHT", VK_RIGHT},   {"UP", VK_UP},         {"DOWN", VK_DOWN},
};

const Name kSysCommands[] = {
    {"close", SC_CLOSE},
    {"minimize", SC_MINIMIZE},
    {"maximize", SC_MAXIMIZE},
    {"restore", SC_RESTORE},
};

template <size_t N>
UINT ParseName(const Name (&names)[N], const std::string& field) {
  for (const Name& name : names) {
    if (field == name.name) {
      return name.value;
    }
  }
  return static_cast<UINT>(ParseNumber(field));
}

void PostOrThrow(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (!PostMessageA(window, message, wparam, lparam)) {
    throw std::string("cannot post to " + FormatWindow(window));
  }
}

WPARAM ParseParam(const std::string& field) {
  return static_cast<WPARAM>(ParseNumber(field));
}

Lines SetText(const Fields& a) {
  SetWindowTextOf(ParseWindow(a[0]), a[1]);
  return {};
}

Lines Select(const Fields& a) {
  return {std::to_string(SendWithTimeout(ParseWindow(a[0]), CB_SETCURSEL, ParseParam(a[1]), 0))};
}

Lines Check(const Fields& a) {
  SendWithTimeout(ParseWindow(a[0]), BM_SETCHECK, ParseParam(a[1]), 0);
  return {};
}

Lines Click(const Fields& a) {
  PostOrThrow(ParseWindow(a[0]), BM_CLICK, 0, 0);
  return {};
}

// WM_COMMAND as a control sends it; the control defaults to the dialog's item ID.
Lines PostCommand(const Fields& a) {
  const HWND window = ParseWindow(a[0]);
  const int id = static_cast<int>(ParseNumber(a[1]));
  const auto code = static_cast<WORD>(ParseNumber(a[2]));
  const HWND control = a.size() > 3 ? ParseWindow(a[3]) : GetDlgItem(window, id);
  PostOrThrow(window, WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
  return {};
}

// A key press and release, as the keyboard would queue them for the window.
Lines Key(const Fields& a) {
  const HWND window = ParseWindow(a[0]);
  const UINT key = ParseName(kKeys, a[1]);
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(key, MAPVK_VK_TO_VSC)) << 16;
  PostOrThrow(window, WM_KEYDOWN, key, scan | 1);
  // The press may already have closed the window (Escape, Enter on a default
  // button): then there is no one left to release the key to.
  if (!PostMessageA(window, WM_KEYUP, key, scan | 1 | static_cast<LPARAM>(0xC0000000u)) &&
      IsWindow(window)) {
    throw std::string("cannot post to " + FormatWindow(window));
  }
  return {};
}

Lines Send(const Fields& a) {
  const LRESULT result = SendWithTimeout(ParseWindow(a[0]), ParseName(kMessages, a[1]),
                                         ParseParam(a[2]), static_cast<LPARAM>(ParseNumber(a[3])));
  return {std::to_string(result)};
}

Lines Post(const Fields& a) {
  PostOrThrow(ParseWindow(a[0]), ParseName(kMessages, a[1]), ParseParam(a[2]),
              static_cast<LPARAM>(ParseNumber(a[3])));
  return {};
}

Lines Close(const Fields& a) {
  PostOrThrow(ParseWindow(a[0]), WM_CLOSE, 0, 0);
  return {};
}

Lines SysCommand(const Fields& a) {
  PostOrThrow(ParseWindow(a[0]), WM_SYSCOMMAND, ParseName(kSysCommands, a[1]), 0);
  return {};
}

// Moves and sizes a window and answers with the rectangle it really got.
Lines Move(const Fields& a) {
  const HWND window = ParseWindow(a[0]);
  const auto number = [&](size_t i) { return static_cast<int>(ParseNumber(a[i])); };
  if (!SetWindowPos(window, nullptr, number(1), number(2), number(3), number(4),
                    SWP_NOZORDER | SWP_NOACTIVATE)) {
    throw std::string("SetWindowPos failed");
  }
  const RECT rect = RectInParent(window);
  return {std::to_string(rect.left) + "\t" + std::to_string(rect.top) + "\t" +
          std::to_string(rect.right) + "\t" + std::to_string(rect.bottom)};
}

Lines Pause(const Fields& a) {
  Sleep(static_cast<DWORD>(ParseNumber(a[0])));
  return {};
}

}  // namespace

const std::vector<Command>& ActionCommands() {
  static const std::vector<Command> commands = {
      {"set-text", "HWND TEXT", 2, SetText},
      {"select", "HWND INDEX  (combo box selection; answers the new selection)", 2, Select},
      {"check", "HWND STATE", 2, Check},
      {"click", "HWND  (posts BM_CLICK)", 1, Click},
      {"command", "HWND ID CODE [CONTROL]  (posts WM_COMMAND)", 3, PostCommand},
      {"key", "HWND KEY  (posts key down and up; RETURN, ESCAPE, TAB, ... or a code)", 2, Key},
      {"send", "HWND MESSAGE WPARAM LPARAM  (answers the result)", 4, Send},
      {"post", "HWND MESSAGE WPARAM LPARAM", 4, Post},
      {"close", "HWND  (posts WM_CLOSE)", 1, Close},
      {"syscommand", "HWND close|minimize|maximize|restore|CODE", 2, SysCommand},
      {"move", "HWND X Y W H  (answers the rectangle the window got)", 5, Move},
      {"sleep", "MS", 1, Pause},
  };
  return commands;
}

}  // namespace zet::winctl
