// The C interface. Code that runs inside other people's programs: no
// exception crosses it, and a box that cannot be customised is the plain
// system box, so that the user's answer still comes back.
#include "runtime/zetrt.h"

#include <algorithm>
#include <memory>
#include <new>
#include <string>
#include <vector>

#include "platform/system_handles.h"
#include "runtime/box.h"
#include "runtime/messages.h"

namespace {

// The whole file, or the system's error code.
DWORD ReadWhole(HANDLE opened, std::vector<uint8_t>& bytes) {
  const zet::UniqueFileHandle file(reinterpret_cast<intptr_t>(opened));
  if (!file.Valid()) {
    return GetLastError();
  }
  const HANDLE handle = reinterpret_cast<HANDLE>(file.Get());
  LARGE_INTEGER size;
  if (!GetFileSizeEx(handle, &size)) {
    return GetLastError();
  }
  if (size.QuadPart > 0xFFFFFFFF) {
    return ERROR_INVALID_DATA;  // no compiled file is larger
  }
  bytes.resize(static_cast<size_t>(size.QuadPart));
  DWORD read = 0;
  if (!bytes.empty() &&
      !ReadFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
    return GetLastError();
  }
  return read == bytes.size() ? ERROR_SUCCESS : ERROR_HANDLE_EOF;
}

DWORD Open(std::vector<uint8_t> bytes, ZetMessages** out) {
  try {
    *out = zetrt::OpenMessages(std::move(bytes)).release();
    return ERROR_SUCCESS;
  } catch (const std::bad_alloc&) {
    return ERROR_NOT_ENOUGH_MEMORY;
  } catch (...) {
    return ERROR_INVALID_DATA;
  }
}

template <typename OpenFile>
DWORD OpenPath(const void* path, ZetMessages** out, OpenFile open) {
  if (!path || !out) {
    return ERROR_INVALID_PARAMETER;
  }
  *out = nullptr;
  try {
    std::vector<uint8_t> bytes;
    const DWORD error = ReadWhole(open(), bytes);
    return error != ERROR_SUCCESS ? error : Open(std::move(bytes), out);
  } catch (const std::bad_alloc&) {
    return ERROR_NOT_ENOUGH_MEMORY;
  } catch (...) {
    return ERROR_INVALID_DATA;
  }
}

constexpr DWORD kShareRead = FILE_SHARE_READ | FILE_SHARE_DELETE;

std::u16string FromCodePage932(const char* text) {
  const int length = MultiByteToWideChar(932, 0, text, -1, nullptr, 0);
  std::u16string wide(length > 0 ? static_cast<size_t>(length) : 1, u'\0');
  if (length > 0) {
    MultiByteToWideChar(932, 0, text, -1, reinterpret_cast<wchar_t*>(wide.data()), length);
  }
  wide.pop_back();  // the terminating 0
  return wide;
}

int Plain(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) {
  return MessageBoxW(owner, text, caption, type);
}

}  // namespace

extern "C" {

DWORD WINAPI ZetOpenFileA(const char* path, ZetMessages** out) {
  return OpenPath(path, out, [&] {
    return CreateFileA(path, GENERIC_READ, kShareRead, nullptr, OPEN_EXISTING, 0, nullptr);
  });
}

DWORD WINAPI ZetOpenFileW(const wchar_t* path, ZetMessages** out) {
  return OpenPath(path, out, [&] {
    return CreateFileW(path, GENERIC_READ, kShareRead, nullptr, OPEN_EXISTING, 0, nullptr);
  });
}

DWORD WINAPI ZetOpenMemory(const void* bytes, DWORD size, ZetMessages** out) {
  if (!out || (!bytes && size > 0)) {
    return ERROR_INVALID_PARAMETER;
  }
  *out = nullptr;
  try {
    const uint8_t* begin = static_cast<const uint8_t*>(bytes);
    return Open(std::vector<uint8_t>(begin, begin + size), out);
  } catch (...) {
    return ERROR_NOT_ENOUGH_MEMORY;
  }
}

void WINAPI ZetClose(ZetMessages* messages) {
  delete messages;
}

int WINAPI ZetMessageBoxExW(const ZetMessages* m, HWND owner, const wchar_t* text,
                            const wchar_t* caption, UINT type, const ZetBoxOptions* options) {
  if (options && options->cbSize < sizeof(ZetBoxOptions)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (!m) {
    return Plain(owner, text, caption, type);
  }
  try {
    zetrt::BoxRequest request;
    request.messages = m;
    request.owner = owner;
    request.hasText = text != nullptr;
    if (text) {
      request.text = reinterpret_cast<const char16_t*>(text);
    }
    request.caption = reinterpret_cast<const char16_t*>(caption);
    request.type = type;
    if (options) {
      // zetplay's largest unit, which keeps every repeat's time within 64 bits.
      request.unitMs = options->unitMs ? std::min<DWORD>(options->unitMs, 60000) : request.unitMs;
      request.defaultMs = options->defaultMs ? options->defaultMs : request.defaultMs;
      request.seed = options->seed;
    }
    return zetrt::ShowBox(request);
  } catch (...) {
    return Plain(owner, text, caption, type);
  }
}

int WINAPI ZetMessageBoxExA(const ZetMessages* m, HWND owner, const char* text, const char* caption,
                            UINT type, const ZetBoxOptions* options) {
  std::u16string wideText, wideCaption;
  try {
    wideText = text ? FromCodePage932(text) : u"";
    wideCaption = caption ? FromCodePage932(caption) : u"";
  } catch (...) {
    return MessageBoxA(owner, text, caption, type);
  }
  return ZetMessageBoxExW(
      m, owner, text ? reinterpret_cast<const wchar_t*>(wideText.c_str()) : nullptr,
      caption ? reinterpret_cast<const wchar_t*>(wideCaption.c_str()) : nullptr, type, options);
}

int WINAPI ZetMessageBoxW(const ZetMessages* m, HWND owner, const wchar_t* text,
                          const wchar_t* caption, UINT type) {
  return ZetMessageBoxExW(m, owner, text, caption, type, nullptr);
}

int WINAPI ZetMessageBoxA(const ZetMessages* m, HWND owner, const char* text, const char* caption,
                          UINT type) {
  return ZetMessageBoxExA(m, owner, text, caption, type, nullptr);
}

}  // extern "C"
