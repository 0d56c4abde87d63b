#include <windows.h>

#include <string>

#include "compiler/common/shift_jis.h"
#include "compiler/common/system_handles.h"
#include "compiler/common/system_message.h"
#include "lint/diagnostic.h"
#include "lint/lint_platform.h"

namespace zetlint {
namespace {

constexpr UINT kShiftJis = 932;

std::string Utf8From(UINT codePage, const std::string& text) {
  if (text.empty()) {
    return text;
  }
  const int size = static_cast<int>(text.size());
  const int units = MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(units), L'\0');
  MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), units);
  const int length =
      WideCharToMultiByte(CP_UTF8, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_UTF8, 0, wide.data(), units, utf8.data(), length, nullptr, nullptr);
  return utf8;
}

std::string Failure(const std::string& path) {
  return path + ": " + OneLine(zet::SystemMessage(GetLastError()));
}

}  // namespace

std::string ConsoleText(const std::string& shiftJis) {
  return shiftJis;
}

std::string Utf8Text(const std::string& shiftJis) {
  return Utf8From(kShiftJis, shiftJis);
}

std::string Utf8Path(const std::string& path) {
  return Utf8From(CP_ACP, zet::ToPosixPath(path.c_str()));
}

void WriteWholeFile(const std::string& path, const std::string& bytes) {
  const std::string temporary = path + ".~tmp";
  std::string failure;
  {
    const zet::UniqueFileHandle file(
        reinterpret_cast<intptr_t>(CreateFileA(temporary.c_str(), GENERIC_WRITE, 0, nullptr,
                                               CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr)));
    if (!file.Valid()) {
      throw Failure(path);
    }
    DWORD written = 0;
    if (!WriteFile(reinterpret_cast<HANDLE>(file.Get()), bytes.data(),
                   static_cast<DWORD>(bytes.size()), &written, nullptr) ||
        written != bytes.size()) {
      failure = Failure(path);
    }
  }  // closed, so that it can be removed or moved
  if (failure.empty() && !MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) {
    failure = Failure(path);
  }
  if (!failure.empty()) {
    DeleteFileA(temporary.c_str());
    throw failure;
  }
}

}  // namespace zetlint
