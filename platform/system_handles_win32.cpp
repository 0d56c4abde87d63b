#include <windows.h>

#include "platform/system_handles.h"

namespace zet {

intptr_t FileHandleTraits::Invalid() noexcept {
  return reinterpret_cast<intptr_t>(INVALID_HANDLE_VALUE);
}
void FileHandleTraits::Close(intptr_t value) noexcept {
  CloseHandle(reinterpret_cast<HANDLE>(value));
}

intptr_t MappingHandleTraits::Invalid() noexcept {
  return 0;
}
void MappingHandleTraits::Close(intptr_t value) noexcept {
  CloseHandle(reinterpret_cast<HANDLE>(value));
}

MappedRegion ViewTraits::Invalid() noexcept {
  return MappedRegion{};
}
void ViewTraits::Close(MappedRegion value) noexcept {
  UnmapViewOfFile(value.base);
}

void* RegistryKeyTraits::Invalid() noexcept {
  return nullptr;
}
void RegistryKeyTraits::Close(void* value) noexcept {
  RegCloseKey(static_cast<HKEY>(value));
}

char* LocalTextTraits::Invalid() noexcept {
  return nullptr;
}
void LocalTextTraits::Close(char* value) noexcept {
  LocalFree(value);
}

void* DeferredMovesTraits::Invalid() noexcept {
  return nullptr;
}
void DeferredMovesTraits::Close(void* value) noexcept {
  EndDeferWindowPos(static_cast<HDWP>(value));
}

}  // namespace zet
