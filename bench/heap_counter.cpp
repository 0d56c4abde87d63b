#include "bench/heap_counter.h"

#include <cstdlib>
#include <new>

namespace {

// Each block carries its size in front; 16 bytes keep the alignment.
constexpr size_t kPrefix = 16;
size_t heapNow = 0;
size_t heapPeak = 0;

void* Allocate(size_t size) {
  void* block = std::malloc(size + kPrefix);
  if (block == nullptr) {
    throw std::bad_alloc();
  }
  *static_cast<size_t*>(block) = size;
  heapNow += size;
  if (heapNow > heapPeak) {
    heapPeak = heapNow;
  }
  return static_cast<char*>(block) + kPrefix;
}

void Release(void* pointer) {
  if (pointer == nullptr) {
    return;
  }
  void* block = static_cast<char*>(pointer) - kPrefix;
  heapNow -= *static_cast<size_t*>(block);
  std::free(block);
}

}  // namespace

void* operator new(size_t size) {
  return Allocate(size);
}
void* operator new[](size_t size) {
  return Allocate(size);
}
void operator delete(void* pointer) noexcept {
  Release(pointer);
}
void operator delete[](void* pointer) noexcept {
  Release(pointer);
}
void operator delete(void* pointer, size_t) noexcept {
  Release(pointer);
}
void operator delete[](void* pointer, size_t) noexcept {
  Release(pointer);
}

namespace zet {

size_t HeapNow() {
  return heapNow;
}
size_t HeapPeak() {
  return heapPeak;
}
void ResetHeapPeak() {
  heapPeak = heapNow;
}

}  // namespace zet
