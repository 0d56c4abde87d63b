// Owners for the Windows handles the test programs take besides those of the
// programs themselves: modules loaded as data, device contexts, GDI objects
// and windows. Windows-only test code, so the native types are named here.
#pragma once

#include <windows.h>

#include "platform/unique_resource.h"

namespace zet {

#define ZET_WIN32_TEST_KIND(Name, Type, Release)                \
  struct Name {                                                 \
    using Value = Type;                                         \
    static Value Invalid() noexcept { return nullptr; }         \
    static void Close(Value value) noexcept { Release(value); } \
  }

ZET_WIN32_TEST_KIND(ModuleTraits, HMODULE, FreeLibrary);
ZET_WIN32_TEST_KIND(MemoryDcTraits, HDC, DeleteDC);
ZET_WIN32_TEST_KIND(ScreenDcTraits, HDC, [](HDC dc) { ReleaseDC(nullptr, dc); });
ZET_WIN32_TEST_KIND(GdiObjectTraits, HGDIOBJ, DeleteObject);
ZET_WIN32_TEST_KIND(WindowTraits, HWND, DestroyWindow);
ZET_WIN32_TEST_KIND(RegistryKeyReadTraits, HKEY, RegCloseKey);

#undef ZET_WIN32_TEST_KIND

using UniqueModule = UniqueResource<ModuleTraits>;
using UniqueMemoryDc = UniqueResource<MemoryDcTraits>;
using UniqueScreenDc = UniqueResource<ScreenDcTraits>;
using UniqueGdiObject = UniqueResource<GdiObjectTraits>;
using UniqueWindow = UniqueResource<WindowTraits>;
using UniqueKey = UniqueResource<RegistryKeyReadTraits>;

}  // namespace zet
