// Commands that read windows without changing them.
#include <windows.h>

#include "tests/winctl/commands.h"
#include "tests/winctl/dialog_units.h"
#include "tests/winctl/fields.h"
#include "tests/winctl/icon_match.h"
#include "tests/winctl/window_access.h"
#include "tests/winctl/window_search.h"

namespace zet::winctl {
namespace {

constexpr DWORD kIconTimeoutMs = 2000;

DWORD ParseMs(const std::string& field) {
  return static_cast<DWORD>(ParseNumber(field));
}

std::string FormatRect(const RECT& rect) {
  return std::to_string(rect.left) + "\t" + std::to_string(rect.top) + "\t" +
         std::to_string(rect.right) + "\t" + std::to_string(rect.bottom);
}

LONG_PTR Style(HWND window) {
  return GetWindowLongPtrA(window, GWL_STYLE);
}

bool IsIconStatic(HWND window) {
  return ClassName(window) == "Static" && (Style(window) & SS_TYPEMASK) == SS_ICON;
}

std::vector<HWND> Children(HWND parent) {
  std::vector<HWND> children;
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr;
       child = GetWindow(child, GW_HWNDNEXT)) {
    children.push_back(child);
  }
  return children;
}

// An icon static without an icon shows none; otherwise its picture says which.
std::string IconLine(HWND window) {
  if (SendWithTimeout(window, STM_GETICON, 0, 0) == 0) {
    return "icon\tnone";
  }
  const IconMatch match = MatchStandardIcon(window, kIconTimeoutMs);
  return "icon\t" + match.name + "\t" + std::to_string(match.differing) + "\t" +
         std::to_string(match.total);
}

Lines Find(const Fields& a) {
  const std::vector<HWND> found = FindWindows(ParseFilter(a, 0));
  if (found.empty()) {
    throw std::string("no such window");
  }
  return {FormatWindow(found.front())};
}

Lines Wait(const Fields& a) {
  return {FormatWindow(WaitForWindow(ParseFilter(a, 1), ParseMs(a[0])))};
}

Lines List(const Fields& a) {
  Lines lines;
  for (HWND window : FindWindows(ParseFilter(a, 0))) {
    lines.push_back(FormatWindow(window) + "\t" + Escape(ClassName(window)) + "\t" +
                    Escape(WindowText(window)));
  }
  return lines;
}

Lines Gone(const Fields& a) {
  const auto window = reinterpret_cast<HWND>(static_cast<uintptr_t>(ParseNumber(a[1])));
  WaitUntilGone(window, ParseMs(a[0]));
  return {};
}

// Direct children in Z order, which for a dialog is the template's order.
Lines ChildList(const Fields& a) {
  Lines lines;
  for (HWND child : Children(ParseWindow(a[0]))) {
    lines.push_back(FormatWindow(child) + "\t" + std::to_string(ControlId(child)) + "\t" +
                    Escape(ClassName(child)) + "\t" + FormatHex(static_cast<DWORD>(Style(child))) +
                    "\t" + (IsWindowVisible(child) ? "1" : "0") + "\t" + Escape(WindowText(child)));
  }
  return lines;
}

Lines Item(const Fields& a) {
  const HWND item = GetDlgItem(ParseWindow(a[0]), static_cast<int>(ParseNumber(a[1])));
  if (item == nullptr) {
    throw std::string("no control " + a[1]);
  }
  return {FormatWindow(item)};
}

Lines Info(const Fields& a) {
  const HWND window = ParseWindow(a[0]);
  RECT client = {};
  GetClientRect(window, &client);
  return {"id\t" + std::to_string(ControlId(window)),
          "class\t" + Escape(ClassName(window)),
          "style\t" + FormatHex(static_cast<DWORD>(Style(window))),
          "exstyle\t" + FormatHex(static_cast<DWORD>(GetWindowLongPtrA(window, GWL_EXSTYLE))),
          "visible\t" + std::string(IsWindowVisible(window) ? "1" : "0"),
          "enabled\t" + std::string(IsWindowEnabled(window) ? "1" : "0"),
          "rect\t" + FormatRect(RectInParent(window)),
          "client\t" + FormatRect(client),
          "text\t" + Escape(WindowText(window))};
}

Lines Text(const Fields& a) {
  return {Escape(WindowText(ParseWindow(a[0])))};
}

Lines Combo(const Fields& a) {
  const HWND combo = ParseWindow(a[0]);
  const LRESULT count = SendWithTimeout(combo, CB_GETCOUNT, 0, 0);
  Lines lines = {"selection\t" + std::to_string(SendWithTimeout(combo, CB_GETCURSEL, 0, 0))};
  for (int i = 0; i < static_cast<int>(count); ++i) {
    const LRESULT data = SendWithTimeout(combo, CB_GETITEMDATA, static_cast<WPARAM>(i), 0);
    lines.push_back("item\t" + std::to_string(i) + "\t" + FormatHex(static_cast<uint64_t>(data)) +
                    "\t" + Escape(ComboItemText(combo, i)));
  }
  return lines;
}

Lines Checked(const Fields& a) {
  return {std::to_string(SendWithTimeout(ParseWindow(a[0]), BM_GETCHECK, 0, 0))};
}

// The window with the keyboard focus in the thread that owns the given window.
Lines Focus(const Fields& a) {
  GUITHREADINFO info = {};
  info.cbSize = sizeof(info);
  if (!GetGUIThreadInfo(GetWindowThreadProcessId(ParseWindow(a[0]), nullptr), &info) ||
      info.hwndFocus == nullptr) {
    return {"none"};
  }
  return {FormatWindow(info.hwndFocus) + "\t" + std::to_string(ControlId(info.hwndFocus)) + "\t" +
          Escape(ClassName(info.hwndFocus))};
}

// The caption's close box in screen coordinates, to be clicked with a real mouse: the
// last button of the title bar, one caption button wide.
Lines CloseBox(const Fields& a) {
  TITLEBARINFO info = {};
  info.cbSize = sizeof(info);
  if (!GetTitleBarInfo(ParseWindow(a[0]), &info)) {
    throw std::string("no title bar");
  }
  if (info.rgstate[5] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN)) {
    throw std::string("no close box");
  }
  RECT box = info.rcTitleBar;
  box.left = box.right - GetSystemMetrics(SM_CXSIZE);
  return {FormatRect(box)};
}

Lines Process(const Fields& a) {
  DWORD process = 0;
  const DWORD thread = GetWindowThreadProcessId(ParseWindow(a[0]), &process);
  return {std::to_string(process) + "\t" + std::to_string(thread)};
}

// A message box as the user sees it: caption, visible buttons, texts and icon.
Lines MessageBoxContents(const Fields& a) {
  const HWND box = ParseWindow(a[0]);
  Lines lines = {"caption\t" + Escape(WindowText(box))};
  std::string icon = "icon\tnone";
  for (HWND child : Children(box)) {
    if (!IsWindowVisible(child)) {
      continue;
    }
    const std::string className = ClassName(child);
    if (IsIconStatic(child)) {
      icon = IconLine(child);
    } else if (className == "Button") {
      lines.push_back("button\t" + std::to_string(ControlId(child)) + "\t" +
                      Escape(WindowText(child)));
    } else if (className == "Static") {
      lines.push_back("text\t" + Escape(WindowText(child)));
    }
  }
  lines.push_back(icon);
  return lines;
}

Lines Icon(const Fields& a) {
  return {IconLine(ParseWindow(a[0]))};
}

// Where the dialog manager puts a control of the template: position and size are
// converted each on their own, as the rounding differs from converting the corners.
Lines DialogRect(const Fields& a) {
  const auto number = [&](size_t i) { return static_cast<LONG>(ParseNumber(a[i])); };
  const RECT units = {number(2), number(3), number(4), number(5)};
  const RECT pixels = MapTemplateRect(a[0], static_cast<int>(ParseNumber(a[1])), units);
  return {FormatRect(
      {pixels.left, pixels.top, pixels.left + pixels.right, pixels.top + pixels.bottom})};
}

}  // namespace

const std::vector<Command>& QueryCommands() {
  static const std::vector<Command> commands = {
      {"find", "[class=NAME] [title=TEXT] [owner=HWND] [not=HWND] [pid=N] [visible]", 0, Find},
      {"wait", "MS [filters as for find]", 1, Wait},
      {"list", "[filters as for find]  (hwnd, class, text per window)", 0, List},
      {"gone", "MS HWND  (waits until the window is destroyed)", 2, Gone},
      {"children", "HWND  (hwnd, id, class, style, visible, text per child)", 1, ChildList},
      {"item", "HWND ID", 2, Item},
      {"info",
       "HWND  (id, class, style, exstyle, visible, enabled; rect in the parent's client area or "
       "on the screen; client rect; text)",
       1, Info},
      {"text", "HWND", 1, Text},
      {"combo", "HWND  (selection, then index, data, text per entry)", 1, Combo},
      {"checked", "HWND", 1, Checked},
      {"focus", "HWND  (the focus window of HWND's thread: hwnd, id, class)", 1, Focus},
      {"close-box", "HWND  (the close box in screen coordinates: left, top, right, bottom)", 1,
       CloseBox},
      {"process", "HWND  (process id, thread id)", 1, Process},
      {"msgbox", "HWND  (caption, button ID TEXT, text TEXT, icon NAME)", 1, MessageBoxContents},
      {"icon", "HWND  (the standard icon the window shows, differing and total pixels)", 1, Icon},
      {"dialog-rect",
       "MODULE TEMPLATE X Y W H  (a control's rect in pixels: left, top, right, bottom)", 6,
       DialogRect},
  };
  return commands;
}

}  // namespace zet::winctl
