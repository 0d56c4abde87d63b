#include "tests/winctl/dialog_units.h"

#include "tests/winctl/handles.h"

namespace zet::winctl {
namespace {

INT_PTR CALLBACK IgnoreAll(HWND, UINT, WPARAM, LPARAM) {
  return FALSE;
}

}  // namespace

RECT MapTemplateRect(const std::string& module_path, int template_id, RECT units) {
  const UniqueModule module(LoadLibraryExA(module_path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
  if (!module.Valid()) {
    throw std::string("cannot load " + module_path);
  }
  // A template without WS_VISIBLE stays hidden; its controls are never shown.
  const UniqueWindow dialog(
      CreateDialogParamA(module.Get(), MAKEINTRESOURCEA(template_id), nullptr, IgnoreAll, 0));
  if (!dialog.Valid()) {
    throw std::string("no dialog template " + std::to_string(template_id) + " in " + module_path);
  }
  if (GetWindowLongPtrA(dialog.Get(), GWL_STYLE) & WS_VISIBLE) {
    ShowWindow(dialog.Get(), SW_HIDE);
  }
  if (!MapDialogRect(dialog.Get(), &units)) {
    throw std::string("MapDialogRect failed");
  }
  return units;
}

}  // namespace zet::winctl
