#include "reader/file_format.h"

#include "reader/format.h"

namespace zetreader {

const char* const kKindNames[kKindCount] = {"NOICON", "ASTERISK", "EXCLAMATION", "STOP",
                                            "QUESTION"};
const char* const kCaptionKeys[kCaptionCount] = {"OK",  "CANCEL", "ABORT", "RETRY",    "IGNORE",
                                                 "YES", "NO",     "CLOSE", "CONTINUE", "HELP"};

KindFields KindFieldsOf(int kind) {
  const uint32_t at = kKindRecords + kKindRecordSize * static_cast<uint32_t>(kind);
  return KindFields{at, at + 4, at + 8, at + 12, at + 16, at + 20, at + 24, at + 28};
}

std::string HeaderFieldName(uint32_t offset) {
  static const char* const kFixed[] = {"マジック", "バージョン", "ファイルサイズ", "コメントの位置",
                                       "ユーザー名の位置"};
  static const char* const kKindField[] = {
      "ビットマップ情報の位置", "ピクセルブロックの位置", "フレームの高さ",     "フレーム時間",
      "コードの位置",           "コードの長さ",           "サフィックスの位置", "メッセージの位置"};
  if (offset < kCaptionFields) {
    return kFixed[offset / 4];
  }
  if (offset < kKindRecords) {
    return Format("ボタン %s の見出しの位置", kCaptionKeys[(offset - kCaptionFields) / 4]);
  }
  const uint32_t inKinds = offset - kKindRecords;
  return Format("%s の%s", kKindNames[inKinds / kKindRecordSize],
                kKindField[inKinds % kKindRecordSize / 4]);
}

}  // namespace zetreader
