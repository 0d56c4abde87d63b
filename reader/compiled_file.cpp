#include "reader/compiled_file.h"

#include <cstring>

#include "reader/format.h"

namespace zet {

const char* const kKindNames[kKindCount] = {"NOICON", "ASTERISK", "EXCLAMATION", "STOP",
                                            "QUESTION"};
const char* const kCaptionKeys[kCaptionCount] = {"OK",  "CANCEL", "ABORT", "RETRY",    "IGNORE",
                                                 "YES", "NO",     "CLOSE", "CONTINUE", "HELP"};

namespace {

constexpr char kMagic[] = "ZTRV";

void ReadText(const FileBytes& bytes, TextField& text, uint32_t field, const std::string& what) {
  text.name = what;
  text.text = ReadStringAt(bytes, field, text.offset, what.c_str());
}

void ReadCode(const FileBytes& bytes, KindRecord& record, const KindFields& fields,
              const char* owner) {
  record.codeOffset = ReadBlockOffset(bytes, fields.code, Format("%s のコード", owner).c_str());
  record.codeLength = bytes.U32(fields.codeLength);
  if (record.codeLength > kLargestCode) {
    throw FileFault{fields.codeLength, Format("%s のコードの長さ %u が 16384 を超えています。",
                                              owner, record.codeLength)};
  }
  if (!bytes.Holds(record.codeOffset, record.codeLength)) {
    throw FileFault{fields.codeLength, Format("%s のコード (位置 %u、%u バイト) がファイルの"
                                              "終わりを越えています。",
                                              owner, record.codeOffset, record.codeLength)};
  }
}

// Frames are cut from the strip, so a frame must be 1 row at least and fit.
void CheckFrameHeight(const KindRecord& record, const KindFields& fields, const char* owner) {
  if (record.frameHeight < 1 || static_cast<uint32_t>(record.frameHeight) > record.bitmap.rows) {
    throw FileFault{fields.frameHeight,
                    Format("%s のフレームの高さ %d がビットマップの高さ %u に収まりません。", owner,
                           record.frameHeight, record.bitmap.rows)};
  }
}

int SharedWith(const CompiledFile& file, int kind) {
  const BitmapBlocks& mine = file.kinds[kind].bitmap;
  for (int i = 0; i < kind; ++i) {
    const BitmapBlocks& theirs = file.kinds[i].bitmap;
    if (theirs.infoOffset == mine.infoOffset && theirs.bitsOffset == mine.bitsOffset) {
      return i;
    }
  }
  return -1;
}

}  // namespace

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

void ReadHeader(const FileBytes& bytes, CompiledFile& file) {
  if (bytes.Holds(0, 4) && std::memcmp(bytes.All().data(), kMagic, 4) != 0) {
    throw FileFault{0, "先頭の 4 バイトが \"ZTRV\" ではありません。"};
  }
  if (bytes.Size() < kHeaderSize) {
    throw FileFault{bytes.Size(), Format("ファイルの長さ %u がヘッダーの 220 バイトに足りません。",
                                         bytes.Size())};
  }
  file.version = bytes.U32(4);
  if (file.version != kFormatVersion) {
    throw FileFault{4, Format("バージョン %u は 11 ではありません。", file.version)};
  }
  file.size = bytes.U32(8);
  if (file.size != bytes.Size()) {
    throw FileFault{8, Format("ヘッダーのファイルサイズ %u がファイルの長さ %u と違います。",
                              file.size, bytes.Size())};
  }
}

void ReadTexts(const FileBytes& bytes, CompiledFile& file) {
  ReadText(bytes, file.comment, kCommentField, "コメント");
  ReadText(bytes, file.userName, kUserNameField, "ユーザー名");
  for (int i = 0; i < kCaptionCount; ++i) {
    ReadText(bytes, file.captions[i], kCaptionFields + 4 * static_cast<uint32_t>(i),
             Format("ボタン %s の見出し", kCaptionKeys[i]));
  }
}

void ReadKind(const FileBytes& bytes, CompiledFile& file, int kind) {
  const char* owner = kKindNames[kind];
  const KindFields fields = KindFieldsOf(kind);
  KindRecord& record = file.kinds[kind];
  record.frameHeight = bytes.I32(fields.frameHeight);
  record.frameTime = bytes.I32(fields.frameTime);
  ReadText(bytes, record.suffix, fields.suffix, Format("%s のサフィックス", owner));
  ReadText(bytes, record.message, fields.message, Format("%s のメッセージ", owner));
  ReadCode(bytes, record, fields, owner);
  record.bitmap = ReadBitmapBlocks(bytes, fields.bitmapInfo, fields.bitmapBits, owner);
  record.sharesWith = SharedWith(file, kind);
  CheckFrameHeight(record, fields, owner);
  record.frameCount = record.bitmap.rows / static_cast<uint32_t>(record.frameHeight);
  record.code =
      DecodeFrameCode(bytes, record.codeOffset, record.codeLength, record.frameCount, owner);
}

CompiledFile ReadCompiledFile(const FileBytes& bytes) {
  CompiledFile file;
  ReadHeader(bytes, file);
  ReadTexts(bytes, file);
  for (int kind = 0; kind < kKindCount; ++kind) {
    ReadKind(bytes, file, kind);
  }
  return file;
}

}  // namespace zet
