#include "editor/editor_dialog.h"

#include "editor/combo_tables.h"
#include "editor/editor_ids.h"

namespace zet {
namespace {

// Set while DialogHandler hands a message to DefDlgProcA, whose first act is to call
// the dialog procedure again; that nested call steps aside and clears it.
int InDefDlgProc = 0;

// Messages whose result a dialog procedure returns itself rather than through
// DWLP_MSGRESULT.
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

template <size_t N>
void FillCombo(HWND combo, const ComboRow (&rows)[N]) {
  for (const ComboRow& row : rows) {
    AddComboItem(combo, row.caption, row.value);
  }
  SendMessageA(combo, CB_SETCURSEL, 0, 0);
}

// Returns 1 so that the system puts the focus on the first tab stop, the caption edit.
LRESULT OnInitDialog(HWND window) {
  FillCombo(GetDlgItem(window, IDC_BUTTON_SET), ButtonSetTable);
  FillCombo(GetDlgItem(window, IDC_ICON_KIND), IconTable);
  return 1;
}

void OnCommand(HWND window, int id, int notificationCode) {
  switch (id) {
    case IDOK:
    case IDCANCEL:  // the Close button, Escape and the close box
      EndDialog(window, id);
      break;
    case IDC_SHOW_BUTTON:
      ShowMessageBox(window, notificationCode);
      break;
    default:
      break;
  }
}

}  // namespace

INT_PTR CALLBACK EditorDialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (InDefDlgProc) {
    // DefDlgProcA calling back before its default processing: let it go on.
    InDefDlgProc = 0;
    return FALSE;
  }
  const LRESULT result = DialogHandler(window, message, wparam, lparam);
  if (ReturnsResultDirectly(message)) {
    return result;
  }
  SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
  return TRUE;
}

LRESULT DialogHandler(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      return OnInitDialog(window);
    case WM_COMMAND:
      OnCommand(window, LOWORD(wparam), HIWORD(wparam));
      return 0;
    default:
      InDefDlgProc = 1;
      return DefDlgProcA(window, message, wparam, lparam);
  }
}

void AddComboItem(HWND combo, const char* caption, uint32_t value) {
  const LRESULT index = SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(caption));
  if (index != CB_ERR) {
    SendMessageA(combo, CB_SETITEMDATA, static_cast<WPARAM>(index), value);
  }
}

}  // namespace zet
