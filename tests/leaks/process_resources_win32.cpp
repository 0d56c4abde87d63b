#include <windows.h>

#include <malloc.h>

#include "tests/leaks/process_resources.h"

namespace zet {

uint64_t OpenHandleCount() {
  DWORD count = 0;
  return GetProcessHandleCount(GetCurrentProcess(), &count) ? count : 0;
}

uint64_t HeapInUse() {
  // The C runtime's heap, block by block.
  uint64_t used = 0;
  _HEAPINFO entry = {};
  int status;
  while ((status = _heapwalk(&entry)) == _HEAPOK) {
    if (entry._useflag == _USEDENTRY) {
      used += entry._size;
    }
  }
  return status == _HEAPEND || status == _HEAPEMPTY ? used : 0;
}

}  // namespace zet
