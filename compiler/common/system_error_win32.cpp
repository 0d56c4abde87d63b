#include <windows.h>

#include "compiler/common/system_error.h"

namespace zet {

uint32_t LastSystemError() {
  return GetLastError();
}

}  // namespace zet
