#include "reader/compiled_file.h"

#include <cstring>

#include "reader/block_offset.h"
#include "reader/format.h"

namespace zetreader {
namespace {

void ReadText(const FileBytes& bytes, TextField& text, uint32_t field, const std::string& what) {
  text.name = what;
  text.text = ReadStringAt(bytes, field, text.offset, what.c_str());
}

void ReadCode(const FileBytes& bytes, KindRecord& record, const KindFields& fields,
              const char* kindName) {
  record.codeOffset = ReadBlockOffset(bytes, fields.code, Format("%s のコード", kindName).c_str());
  record.codeLength = bytes.U32(fields.codeLength);
  if (record.codeLength > kLargestCode) {
    throw FileFault{fields.codeLength, Format("%s のコードの長さ %u が 16384 を超えています。",
                                              kindName, record.codeLength)};
  }
  if (!bytes.Holds(record.codeOffset, record.codeLength)) {
    throw FileFault{fields.codeLength, Format("%s のコード (位置 %u、%u バイト) がファイルの"
                                              "終わりを越えています。",
                                              kindName, record.codeOffset, record.codeLength)};
  }
}

// Frames are cut from the strip, so a frame must be 1 row at least and fit.
void CheckFrameHeight(const KindRecord& record, const KindFields& fields, const char* kindName) {
  if (record.frameHeight < 1 || static_cast<uint32_t>(record.frameHeight) > record.bitmap.rows) {
    throw FileFault{fields.frameHeight,
                    Format("%s のフレームの高さ %d がビットマップの高さ %u に収まりません。",
                           kindName, record.frameHeight, record.bitmap.rows)};
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

void ReadHeader(const FileBytes& bytes, CompiledFile& file) {
  if (bytes.Holds(0, 4) && std::memcmp(bytes.All().data(), kMagic, sizeof kMagic) != 0) {
    throw FileFault{0, "先頭の 4 バイトが \"ZTRV\" ではありません。"};
  }
  if (bytes.Size() < kHeaderSize) {
    throw FileFault{bytes.Size(), Format("ファイルの長さ %u がヘッダーの 220 バイトに足りません。",
                                         bytes.Size())};
  }
  file.version = bytes.U32(kVersionField);
  if (file.version != kFormatVersion) {
    throw FileFault{kVersionField, Format("バージョン %u は 11 ではありません。", file.version)};
  }
  file.size = bytes.U32(kSizeField);
  if (file.size != bytes.Size()) {
    throw FileFault{kSizeField,
                    Format("ヘッダーのファイルサイズ %u がファイルの長さ %u と違います。",
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
  const char* kindName = kKindNames[kind];
  const KindFields fields = KindFieldsOf(kind);
  KindRecord& record = file.kinds[kind];
  record.frameHeight = bytes.I32(fields.frameHeight);
  record.frameTime = bytes.I32(fields.frameTime);
  ReadText(bytes, record.suffix, fields.suffix, Format("%s のサフィックス", kindName));
  ReadText(bytes, record.message, fields.message, Format("%s のメッセージ", kindName));
  ReadCode(bytes, record, fields, kindName);
  record.bitmap = ReadBitmapBlocks(bytes, fields.bitmapInfo, fields.bitmapBits, kindName);
  record.sharesWith = SharedWith(file, kind);
  CheckFrameHeight(record, fields, kindName);
  record.frameCount = record.bitmap.rows / static_cast<uint32_t>(record.frameHeight);
  record.code =
      DecodeFrameCode(bytes, record.codeOffset, record.codeLength, record.frameCount, kindName);
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

std::optional<FileFault> CheckCompiledFile(const FileBytes& bytes) {
  try {
    ReadCompiledFile(bytes);
  } catch (const FileFault& fault) {
    return fault;
  }
  return std::nullopt;
}

}  // namespace zetreader
