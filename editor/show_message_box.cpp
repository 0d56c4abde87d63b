#include "editor/editor_dialog.h"

#include "editor/editor_ids.h"

namespace zet {
namespace {

// Each text is read into 32768 bytes with a count of 32767, so at most 32766 bytes
// and the terminating zero arrive.
constexpr int kTextBufferSize = 32768;
constexpr int kTextReadCount = 32767;

// The value stored on the selected entry; no selection counts as 0.
UINT SelectedValue(HWND window, int comboId) {
  const LRESULT index = SendDlgItemMessageA(window, comboId, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR) {
    return 0;
  }
  return static_cast<UINT>(
      SendDlgItemMessageA(window, comboId, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
}

int CallMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
#ifdef ZETVIEW_RECORDING_BUILD
  return MessageBoxCall(owner, text, caption, type);
#else
  return MessageBoxA(owner, text, caption, type);
#endif
}

}  // namespace

#ifdef ZETVIEW_RECORDING_BUILD
MessageBoxFunction MessageBoxCall = MessageBoxA;
#endif

void ShowMessageBox(HWND window, int notificationCode) {
  if (notificationCode != BN_CLICKED) {
    return;
  }
  UINT buttons = SelectedValue(window, IDC_BUTTON_SET);
  if (IsDlgButtonChecked(window, IDC_HELP_CHECK) == BST_CHECKED) {
    buttons |= MB_HELP;
  }
  const UINT icon = SelectedValue(window, IDC_ICON_KIND);
  char caption[kTextBufferSize];
  char body[kTextBufferSize];
  caption[0] = '\0';
  body[0] = '\0';
  GetDlgItemTextA(window, IDC_CAPTION_EDIT, caption, kTextReadCount);
  GetDlgItemTextA(window, IDC_BODY_EDIT, body, kTextReadCount);
  // The answer is not used: the dialog stays open with all its settings.
  CallMessageBox(window, body, caption, icon | buttons);
}

}  // namespace zet
