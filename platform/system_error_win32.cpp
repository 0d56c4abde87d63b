#include <windows.h>

#include "platform/system_error.h"

namespace zet {

uint32_t LastSystemError() {
  return GetLastError();
}

}  // namespace zet
