// What a long-running batch must give back: the process's open handles (file
// descriptors on Linux) and its heap in use.
#pragma once

#include <cstdint>

namespace zet {

// GetProcessHandleCount on Windows (under Wine, which answers it with 0, the
// handle values in use); the entries of /proc/self/fd on Linux.
uint64_t OpenHandleCount();

// Bytes the allocator has handed out and not taken back; 0 where the
// platform cannot tell.
uint64_t HeapInUse();

}  // namespace zet
