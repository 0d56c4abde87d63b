#include <windows.h>

#include <malloc.h>

#include <cstdint>

#include "tests/leaks/process_resources.h"

namespace zet {

namespace {

// Handle values are multiples of 4, handed out lowest first.
constexpr uintptr_t kLastHandleValue = 1 << 16;

// Wine answers GetProcessHandleCount with 0; there, the handle values that
// name an open object are counted one by one.
uint64_t ProbedHandleCount() {
  uint64_t count = 0;
  for (uintptr_t value = 4; value <= kLastHandleValue; value += 4) {
    DWORD flags;
    if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags)) {
      ++count;
    }
  }
  return count;
}

}  // namespace

uint64_t OpenHandleCount() {
  DWORD count = 0;
  if (GetProcessHandleCount(GetCurrentProcess(), &count) && count != 0) {
    return count;
  }
  return ProbedHandleCount();
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
