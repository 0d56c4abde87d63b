// Dialog units to pixels as the system converts them for one dialog template: a
// hidden copy of the dialog is made from the module's template and asked.
#pragma once

#include <windows.h>

#include <string>

namespace zet::winctl {

// `modulePath` is loaded as a data file; `units` is left, top, right, bottom.
RECT MapTemplateRect(const std::string& modulePath, int templateId, RECT units);

}  // namespace zet::winctl
