// The kinds of system resource the programs own, one traits line each, for
// UniqueResource. Values are held in portable types; each kind's failure
// value and releasing call live in system_handles_win32.cpp or
// system_handles_posix.cpp, so that no header names a system type.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/unique_resource.h"

namespace zet {

// A mapped view of a whole file; the length is what munmap needs.
struct MappedRegion {
  const uint8_t* base = nullptr;
  size_t length = 0;
  bool operator==(const MappedRegion& other) const { return base == other.base; }
};

#define ZET_RESOURCE_KIND(Name, ValueType)   \
  struct Name {                              \
    using Value = ValueType;                 \
    static Value Invalid() noexcept;         \
    static void Close(Value value) noexcept; \
  }

// Windows: HANDLE of CreateFileA (INVALID_HANDLE_VALUE; CloseHandle).
ZET_RESOURCE_KIND(FileHandleTraits, intptr_t);
// Windows: HANDLE of CreateFileMappingA (null; CloseHandle).
ZET_RESOURCE_KIND(MappingHandleTraits, intptr_t);
// Windows: MapViewOfFile (null; UnmapViewOfFile). Linux: mmap (null; munmap).
ZET_RESOURCE_KIND(ViewTraits, MappedRegion);
// Windows: HKEY of RegCreateKeyExA and RegOpenKeyExA (null; RegCloseKey).
ZET_RESOURCE_KIND(RegistryKeyTraits, void*);
// Windows: a buffer FormatMessageA allocated (null; LocalFree).
ZET_RESOURCE_KIND(LocalTextTraits, char*);
// Windows: a batch of window moves of BeginDeferWindowPos (null;
// EndDeferWindowPos, which makes the moves).
ZET_RESOURCE_KIND(DeferredMovesTraits, void*);
// Linux: a file descriptor (-1; close).
ZET_RESOURCE_KIND(DescriptorTraits, int);
// Linux: an iconv conversion descriptor ((iconv_t)-1; iconv_close).
ZET_RESOURCE_KIND(IconvTraits, void*);

#undef ZET_RESOURCE_KIND

using UniqueFileHandle = UniqueResource<FileHandleTraits>;
using UniqueMappingHandle = UniqueResource<MappingHandleTraits>;
using UniqueView = UniqueResource<ViewTraits>;
using UniqueRegistryKey = UniqueResource<RegistryKeyTraits>;
using UniqueLocalText = UniqueResource<LocalTextTraits>;
using UniqueDeferredMoves = UniqueResource<DeferredMovesTraits>;
using UniqueDescriptor = UniqueResource<DescriptorTraits>;
using UniqueIconv = UniqueResource<IconvTraits>;

// What the portable holders of files and mappings own on each system.
#ifdef _WIN32
using UniqueSystemFile = UniqueFileHandle;
using UniqueSystemMapping = UniqueMappingHandle;
#else
using UniqueSystemFile = UniqueDescriptor;
using UniqueSystemMapping = UniqueDescriptor;
#endif

}  // namespace zet
