// The one exception type for system failures: a Windows error code and nothing
// else. The Linux build carries the code Windows gives in the same situation.
#pragma once

#include <cstdint>

namespace zet {

// Every Windows error code the programs produce, by name, with the text the
// Linux build shows for it (the Windows build asks the system's message
// table). One sentence each, CR LF at the end, as the system's own texts.
#define ZET_WIN32_ERRORS(X)                                                                  \
  X(FileNotFound, 2, "ファイルが見つかりません。\r\n")                                       \
  X(PathNotFound, 3, "パスが見つかりません。\r\n")                                           \
  X(TooManyOpenFiles, 4, "開いているファイルの数が多すぎます。\r\n")                         \
  X(AccessDenied, 5, "アクセスが拒否されました。\r\n")                                       \
  X(NotEnoughMemory, 8, "この処理に必要なメモリが足りません。\r\n")                          \
  X(WriteProtect, 19, "書き込みできないメディアです。\r\n")                                  \
  X(GenFailure, 31, "装置が正しく動作していません。\r\n")                                    \
  X(SharingViolation, 32, "ファイルはほかのプロセスが使っているため、開けません。\r\n")      \
  X(FileExists, 80, "同じ名前のファイルが既にあります。\r\n")                                \
  X(InvalidParameter, 87, "パラメータが正しくありません。\r\n") /* also: a refused bitmap */ \
  X(DiskFull, 112, "ディスクに十分な空きがありません。\r\n")                                 \
  X(InsufficientBuffer, 122, "システム コールに渡されるデータ領域が小さすぎます。\r\n")      \
  X(InvalidName, 123,                                                                        \
    "ファイル名、ディレクトリ名、またはボリューム ラベルの構文が間違っています。\r\n")       \
  X(FilenameExcedRange, 206, "ファイル名が長すぎます。\r\n")                                 \
  X(FileInvalid, 1006, "ファイルが空か、使えない状態のため開けません。\r\n")                 \
  X(CantResolveFilename, 1921, "ファイル名を解決できません。\r\n")

#define ZET_DECLARE_ERROR_CODE(name, code, text) constexpr uint32_t kError##name = code;
ZET_WIN32_ERRORS(ZET_DECLARE_ERROR_CODE)
#undef ZET_DECLARE_ERROR_CODE

struct Win32Error {
  uint32_t code;
};

}  // namespace zet
