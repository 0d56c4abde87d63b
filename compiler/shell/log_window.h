// The log window: a modal, resizable dialog that shows LogBuffer once the
// work is done, with Help, Close and the version line.
#pragma once

namespace zet {

// Opens dialog 101 of the module `instance` (its HINSTANCE) without an owner
// and returns when the user has closed it.
void ShowLogWindow(void* instance);

}  // namespace zet
