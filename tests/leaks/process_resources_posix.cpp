#include <dirent.h>
#include <malloc.h>

#include "tests/leaks/process_resources.h"

#if defined(__SANITIZE_ADDRESS__)
// From the sanitizer's allocator interface, whose header g++ does not ship.
extern "C" size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace zet {

uint64_t OpenHandleCount() {
  DIR* folder = opendir("/proc/self/fd");
  if (folder == nullptr) {
    return 0;
  }
  uint64_t count = 0;
  while (readdir(folder) != nullptr) {
    ++count;
  }
  closedir(folder);
  return count;
}

uint64_t HeapInUse() {
#if defined(__SANITIZE_ADDRESS__)
  // The sanitizer's allocator replaces malloc, and mallinfo with it.
  return __sanitizer_get_current_allocated_bytes();
#else
  // Exact only with glibc's per-thread cache off
  // (GLIBC_TUNABLES=glibc.malloc.tcache_count=0): it holds freed blocks,
  // which mallinfo counts as in use.
  return mallinfo2().uordblks;
#endif
}

}  // namespace zet
