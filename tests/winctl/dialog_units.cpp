#include "tests/winctl/dialog_units.h"

#include "tests/winctl/handles.h"

namespace zet::winctl {
namespace {

INT_PTR CALLBACK IgnoreAll(HWND, UINT, WPARAM, LPARAM) {
  return FALSE;
}

}  // namespace

RECT MapTemplateRect(const std::string& modulePath, int templateId, RECT units) {
  const UniqueModule module(LoadLibraryExA(modulePath.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
  if (!module.Valid()) {
    throw std::string("cannot load " + modulePath);
  }
  // A template without WS_VISIBLE stays hidden; its controls are never shown.
  const UniqueWindow dialog(
      CreateDialogParamA(module.Get(), MAKEINTRESOURCEA(templateId), nullptr, IgnoreAll, 0));
  if (!dialog.Valid()) {
    throw std::string("no dialog template " + std::to_string(templateId) + " in " + modulePath);
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
