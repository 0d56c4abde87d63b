// Bytes the program holds through operator new, now and at the most since the
// last reset: the benchmark replaces the global operator new and delete.
#pragma once

#include <cstddef>

namespace zet {

size_t HeapNow();
size_t HeapPeak();
// Sets the peak to what is held now.
void ResetHeapPeak();

}  // namespace zet
