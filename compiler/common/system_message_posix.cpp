#include "compiler/common/system_message.h"

namespace zet {
namespace {

struct MessageEntry {
  uint32_t code;
  const char* text;
};

// One text for every Windows code the Linux build can produce, in the manner
// of the system's own: one sentence, CR LF at the end.
constexpr MessageEntry kMessages[] = {
    {2, "ファイルが見つかりません。\r\n"},
    {3, "パスが見つかりません。\r\n"},
    {4, "開いているファイルの数が多すぎます。\r\n"},
    {5, "アクセスが拒否されました。\r\n"},
    {8, "この処理に必要なメモリが足りません。\r\n"},
    {19, "書き込みできないメディアです。\r\n"},
    {31, "装置が正しく動作していません。\r\n"},
    {32, "ファイルはほかのプロセスが使っているため、開けません。\r\n"},
    {80, "同じ名前のファイルが既にあります。\r\n"},
    {87, "パラメータが正しくありません。\r\n"},
    {112, "ディスクに十分な空きがありません。\r\n"},
    {206, "ファイル名が長すぎます。\r\n"},
    {1006, "ファイルが空か、使えない状態のため開けません。\r\n"},
    {1921, "ファイル名を解決できません。\r\n"},
};

}  // namespace

std::string SystemMessage(uint32_t code) {
  for (const MessageEntry& entry : kMessages) {
    if (entry.code == code) {
      return entry.text;
    }
  }
  return std::string();
}

}  // namespace zet
