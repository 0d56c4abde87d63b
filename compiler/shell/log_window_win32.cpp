#include <windows.h>

#include <cstdint>

#include "compiler/resources/resource.h"
#include "compiler/shell/log_buffer.h"
#include "compiler/shell/log_window.h"
#include "compiler/shell/program_path.h"
#include "platform/system_handles.h"

namespace zet {
namespace {

// Pixel values taken once at initialisation; the offsets are measured from
// the right or bottom edge of the client area, so that a control keeps its
// distance to those edges when the window is resized.
struct LogWindowLayout {
  bool recorded = false;
  int32_t minWidth = 0;
  int32_t minHeight = 0;
  int32_t viewWidthMargin = 0;
  int32_t viewHeightMargin = 0;
  int32_t closeRightOffset = 0;
  int32_t closeBottomOffset = 0;
  int32_t versionRightOffset = 0;
  int32_t versionBottomOffset = 0;
  // Help keeps its left edge and follows the bottom edge, so that the growing
  // log view never covers it.
  int32_t helpLeft = 0;
  int32_t helpBottomOffset = 0;
};

LogWindowLayout Layout;
char HelpFilePath[1024];
WNDPROC SavedLogViewProc = nullptr;
// Set while LogDialogHandler hands a message to DefDlgProcA, which calls the
// dialog procedure once more before its own processing.
bool InDefDlgProc = false;

constexpr UINT kMoveFlags = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
constexpr UINT kSizeFlags = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;

// One batch of window moves that take effect together when it is destroyed.
// A failed step drops the batch (the system has freed it) and the rest.
class DeferredPositions {
 public:
  explicit DeferredPositions(int count) : batch_(BeginDeferWindowPos(count)) {}

  // DeferWindowPos takes the batch and gives back its successor.
  void Place(HWND window, int x, int y, int width, int height, UINT flags) {
    if (batch_.Valid()) {
      batch_.Reset(DeferWindowPos(static_cast<HDWP>(batch_.Release()), window, nullptr, x, y, width,
                                  height, flags));
    }
  }
  bool Started() const { return batch_.Valid(); }

 private:
  UniqueDeferredMoves batch_;
};

LRESULT CallDefDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  InDefDlgProc = true;
  return DefDlgProcA(dialog, message, wParam, lParam);
}

// The dialog manager selects all text of a control that says it has a
// selection; the log is only to be read, so the view says it has none.
LRESULT CALLBACK LogViewProc(HWND view, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallWindowProcA(SavedLogViewProc, view, message, wParam, lParam);
  return message == WM_GETDLGCODE ? (result & ~static_cast<LRESULT>(DLGC_HASSETSEL)) : result;
}

// The rectangle of control `id` in the client coordinates of its dialog, whose
// client origin lies at `origin` on the screen.
RECT ClientRectOf(HWND dialog, int id, POINT origin) {
  RECT rect{};
  GetWindowRect(GetDlgItem(dialog, id), &rect);
  OffsetRect(&rect, -origin.x, -origin.y);
  return rect;
}

void RecordLayout(HWND dialog) {
  RECT window{};
  GetWindowRect(dialog, &window);
  Layout.minWidth = window.right - window.left;
  Layout.minHeight = window.bottom - window.top;

  RECT client{};
  GetClientRect(dialog, &client);
  const int32_t width = client.right - client.left;
  const int32_t height = client.bottom - client.top;

  RECT view{};
  GetWindowRect(GetDlgItem(dialog, IDC_LOG_VIEW), &view);
  Layout.viewWidthMargin = width - (view.right - view.left);
  Layout.viewHeightMargin = height - (view.bottom - view.top);

  POINT origin{0, 0};
  ClientToScreen(dialog, &origin);
  const RECT close = ClientRectOf(dialog, IDOK, origin);
  Layout.closeRightOffset = width - close.left;
  Layout.closeBottomOffset = height - close.top;
  const RECT version = ClientRectOf(dialog, IDC_VERSION_LINE, origin);
  Layout.versionRightOffset = width - version.left;
  Layout.versionBottomOffset = height - version.top;
  const RECT help = ClientRectOf(dialog, IDC_HELP_BUTTON, origin);
  Layout.helpLeft = help.left;
  Layout.helpBottomOffset = height - help.top;
  Layout.recorded = true;
}

void BuildHelpFilePath() {
  const std::string path = BesidePath(ProgramPath(sizeof HelpFilePath), "Zetcomp.hlp");
  lstrcpynA(HelpFilePath, path.c_str(), sizeof HelpFilePath);
}

LRESULT OnInitDialog(HWND dialog) {
  const HWND view = GetDlgItem(dialog, IDC_LOG_VIEW);
  // Through a WNDPROC first: the cast to LONG_PTR alone would take a procedure of
  // the wrong calling convention too, which in a 32-bit build corrupts the stack.
  const WNDPROC viewProc = LogViewProc;
  SavedLogViewProc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(view, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(viewProc)));
  SetWindowTextA(view, LogBuffer.c_str());
  RecordLayout(dialog);
  BuildHelpFilePath();
  return TRUE;  // the dialog manager focuses the first tab stop, the log view
}

void OnSize(HWND dialog, WPARAM type, LPARAM size) {
  // A size change before initialisation has nothing recorded to go by.
  if (type == SIZE_MINIMIZED || !Layout.recorded) {
    return;
  }
  const int width = static_cast<int16_t>(LOWORD(size));
  const int height = static_cast<int16_t>(HIWORD(size));
  DeferredPositions batch(4);
  if (!batch.Started()) {
    return;
  }
  batch.Place(GetDlgItem(dialog, IDC_LOG_VIEW), 0, 0, width - Layout.viewWidthMargin,
              height - Layout.viewHeightMargin, kSizeFlags);
  batch.Place(GetDlgItem(dialog, IDOK), width - Layout.closeRightOffset,
              height - Layout.closeBottomOffset, 0, 0, kMoveFlags);
  batch.Place(GetDlgItem(dialog, IDC_VERSION_LINE), width - Layout.versionRightOffset,
              height - Layout.versionBottomOffset, 0, 0, kMoveFlags);
  batch.Place(GetDlgItem(dialog, IDC_HELP_BUTTON), Layout.helpLeft,
              height - Layout.helpBottomOffset, 0, 0, kMoveFlags);
}

void OnGetMinMaxInfo(HWND dialog, WPARAM wParam, LPARAM lParam) {
  CallDefDlgProc(dialog, WM_GETMINMAXINFO, wParam, lParam);
  if (Layout.recorded) {
    MINMAXINFO* info = reinterpret_cast<MINMAXINFO*>(lParam);
    info->ptMinTrackSize.x = Layout.minWidth;
    info->ptMinTrackSize.y = Layout.minHeight;
  }
}

void OnCommand(HWND dialog, WPARAM wParam) {
  const int id = LOWORD(wParam);
  if (id == IDOK || id == IDCANCEL) {
    EndDialog(dialog, id);
  } else if (id == IDC_HELP_BUTTON && HIWORD(wParam) == BN_CLICKED) {
    WinHelpA(dialog, HelpFilePath, HELP_FINDER, 0);
  }
}

void OnDestroy(HWND dialog) {
  // Closes the help viewer if it was opened for this file.
  WinHelpA(dialog, HelpFilePath, HELP_QUIT, 0);
}

// Written like a window procedure: returns the message's result.
LRESULT LogDialogHandler(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(dialog);
    case WM_SIZE:
      OnSize(dialog, wParam, lParam);
      return 0;
    case WM_GETMINMAXINFO:
      OnGetMinMaxInfo(dialog, wParam, lParam);
      return 0;
    case WM_COMMAND:
      OnCommand(dialog, wParam);
      return 0;
    case WM_DESTROY:
      OnDestroy(dialog);
      return 0;
    default:
      return CallDefDlgProc(dialog, message, wParam, lParam);
  }
}

// Messages whose result a dialog procedure returns itself instead of storing
// it in the message-result slot.
bool ReturnsResultDirectly(UINT message) {
  switch (message) {
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
    case WM_INITDIALOG:
      return true;
    default:
      return false;
  }
}

INT_PTR CALLBACK LogDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  if (InDefDlgProc) {
    // The nested call DefDlgProcA makes before its own processing: FALSE lets
    // that processing run.
    InDefDlgProc = false;
    return FALSE;
  }
  const LRESULT result = LogDialogHandler(dialog, message, wParam, lParam);
  if (ReturnsResultDirectly(message)) {
    return result;
  }
  SetWindowLongPtrA(dialog, DWLP_MSGRESULT, result);
  return TRUE;
}

}  // namespace

void ShowLogWindow(void* instance) {
  DialogBoxParamA(static_cast<HINSTANCE>(instance), MAKEINTRESOURCEA(IDD_LOG_WINDOW), nullptr,
                  LogDialogProc, 0);
}

}  // namespace zet
