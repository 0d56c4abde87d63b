// The one exception type for system failures: a Windows error code and nothing
// else. The Linux build carries the code Windows gives in the same situation.
#pragma once

#include <cstdint>

namespace zet {

// Codes the portable code names itself.
constexpr uint32_t kErrorFileNotFound = 2;
constexpr uint32_t kErrorPathNotFound = 3;
constexpr uint32_t kErrorAccessDenied = 5;
constexpr uint32_t kErrorInvalidParameter = 87;  // also: a bitmap that fails its checks

struct Win32Error {
  uint32_t code;
};

}  // namespace zet
