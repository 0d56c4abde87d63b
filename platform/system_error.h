// The Windows error code of the last failed system call. The Linux build maps
// errno to the code Windows gives in the same situation, so that messages and
// tests see one set of codes on both builds.
#pragma once

#include <cstdint>

namespace zet {

// GetLastError() on Windows; on Linux the mapped errno.
uint32_t LastSystemError();

// Linux build only. `path`, when given, is the path the failed call named:
// ENOENT then means 3 (path not found) when the folder that should hold it is
// missing, as Windows tells the two apart.
uint32_t Win32CodeFromErrno(int error, const char* path = nullptr);

}  // namespace zet
