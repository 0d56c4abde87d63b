#include "tests/winctl/dialog_units.h"

#include "tests/winctl/handles.h"

namespace zet::winctl {
namespace {

INT_PTR CALLBACK IgnoreAll(HWND, UINT, WPARAM, LPARAM) {
  return FALSE;
}

}  // namespace

RECT MapTemplateRect(const std::string& module_path, int template_id, RECT units) {
  const DataModule module(module_path.c_str());
  if (module.get() == nullptr) {
    throw std::string("cannot load " + module_path);
  }
  // A template without WS_VISIBLE stays hidden; its controls are never shown.
  const OwnedWindow dialog(
      CreateDialogParamA(module.get(), MAKEINTRESOURCEA(template_id), nullptr, IgnoreAll, 0));
  if (dialog.get() == nullptr) {
    throw std::string("no dialog template " + std::to_string(template_id) + " in " + module_path);
  }
  if (GetWindowLongPtrA(dialog.get(), GWL_STYLE) & WS_VISIBLE) {
    ShowWindow(dialog.get(), SW_HIDE);
  }
  if (!MapDialogRect(dialog.get(), &units)) {
    throw std::string("MapDialogRect failed");
  }
  return units;
}

}  // namespace zet::winctl
