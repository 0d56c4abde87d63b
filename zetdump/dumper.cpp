#include "zetdump/dumper.h"

#include <algorithm>

#include "platform/unicode.h"
#include "reader/compiled_file.h"
#include "reader/format.h"
#include "reader/text_code.h"
#include "zetdump/source_text.h"

namespace zetdump {

using zetreader::BitmapBlocks;
using zetreader::CompiledFile;
using zetreader::FileBytes;
using zetreader::Format;
using zetreader::Instruction;
using zetreader::InstructionSize;
using zetreader::kCaptionCount;
using zetreader::kCaptionKeys;
using zetreader::KindRecord;
using zetreader::kKindCount;
using zetreader::kKindNames;
using zetreader::ReadHeader;
using zetreader::ReadKind;
using zetreader::ReadTexts;
using zetreader::ShiftJisConverter;
using zetreader::TextField;

namespace {

bool IsControl(char16_t unit) {
  return unit < 0x20 || unit == 0x7F;
}

bool HasControl(const std::u16string& text) {
  for (char16_t unit : text) {
    if (IsControl(unit)) {
      return true;
    }
  }
  return false;
}

// One character at `i` (a surrogate pair counts as one), shown.
std::string ShowCharacter(const std::u16string& text, size_t& i,
                          const ShiftJisConverter& converter) {
  const char16_t unit = text[i];
  if (IsControl(unit)) {
    ++i;
    return Format("\\x%02X", static_cast<unsigned>(unit));
  }
  const bool pair =
      zet::IsHighSurrogate(unit) && i + 1 < text.size() && zet::IsLowSurrogate(text[i + 1]);
  const std::u16string character = text.substr(i, pair ? 2 : 1);
  i += character.size();
  std::string shown;
  if (converter.ToShiftJis(character, shown)) {
    return shown;
  }
  if (pair) {
    return Format("\\U%08X", zet::CodePointOfPair(unit, character[1]));
  }
  return Format("\\u%04X", static_cast<unsigned>(unit));
}

std::string TextLine(const char* label, const TextField& text) {
  if (text.offset == 0) {
    return Format("%s: なし\n", label);
  }
  return Format("%s: \"%s\" (位置 %u)\n", label, ShowText(text.text).c_str(), text.offset);
}

void DumpHeader(const CompiledFile& file, std::string& text) {
  text += "マジック: ZTRV\n";
  text += Format("バージョン: %u\n", file.version);
  text += Format("サイズ: %u バイト\n", file.size);
}

void DumpTexts(const CompiledFile& file, std::string& text) {
  text += TextLine("コメント", file.comment);
  text += TextLine("ユーザー名", file.userName);
  text += "ボタンの見出し:\n";
  for (int i = 0; i < kCaptionCount; ++i) {
    text += TextLine(Format("  %s", kCaptionKeys[i]).c_str(), file.captions[i]);
  }
}

void DumpBitmap(const KindRecord& record, std::string& text) {
  const BitmapBlocks& bitmap = record.bitmap;
  text += Format("  ビットマップ: 幅 %d、高さ %u (%s)、%u ビット/ピクセル、", bitmap.width,
                 bitmap.rows, bitmap.height < 0 ? "上から下" : "下から上", bitmap.bitCount);
  text += bitmap.colours == 0 ? std::string("色テーブルなし") : Format("%u 色", bitmap.colours);
  text += Format("、%u フレーム\n", record.frameCount);
  if (record.sharesWith >= 0) {
    text += Format("    ブロック: %s と共有 (情報 位置 %u、ピクセル 位置 %u)\n",
                   kKindNames[record.sharesWith], bitmap.infoOffset, bitmap.bitsOffset);
    return;
  }
  const std::string masks =
      bitmap.maskLength == 0 ? "" : Format(" (うち色のマスク %u バイト)", bitmap.maskLength);
  text += Format("    情報ブロック: 位置 %u、%u バイト%s\n", bitmap.infoOffset, bitmap.infoLength,
                 masks.c_str());
  text +=
      Format("    ピクセルブロック: 位置 %u、%u バイト\n", bitmap.bitsOffset, bitmap.pixelLength);
}

std::string LabelColumn(const std::vector<uint32_t>& targets, uint32_t offset) {
  const bool labelled = std::binary_search(targets.begin(), targets.end(), offset);
  std::string column = labelled ? LabelName(offset) + ":" : std::string();
  column.resize(8, ' ');
  return "    " + column;
}

std::string HexBytes(const FileBytes& bytes, uint32_t at, uint32_t size) {
  std::string hex;
  for (uint32_t i = 0; i < size; ++i) {
    hex += Format("%02X ", bytes.U8(at + i));
  }
  hex.resize(22, ' ');
  return hex;
}

void DumpCode(const FileBytes& bytes, const KindRecord& record, std::string& text) {
  text += Format("  コード: 位置 %u、%u バイト、%u 命令\n", record.codeOffset, record.codeLength,
                 static_cast<unsigned>(record.code.size()));
  const std::vector<uint32_t> targets = JumpTargets(record.code);
  for (const Instruction& instruction : record.code) {
    const uint32_t size = InstructionSize(instruction.op);
    text += LabelColumn(targets, instruction.offset) + Format("%05u  ", instruction.offset) +
            HexBytes(bytes, record.codeOffset + instruction.offset, size) +
            StatementText(instruction) + "\n";
  }
  if (std::binary_search(targets.begin(), targets.end(), record.codeLength)) {
    text += LabelColumn(targets, record.codeLength) +
            Format("%05u  (コードの終わり)\n", record.codeLength);
  }
}

void DumpKind(const FileBytes& bytes, const CompiledFile& file, int kind, std::string& text) {
  const KindRecord& record = file.kinds[kind];
  text += Format("\n[%s]\n", kKindNames[kind]);
  text += Format("  フレームの高さ: %d\n", record.frameHeight);
  text += Format("  フレーム時間: %d\n", record.frameTime);
  text += TextLine("  サフィックス", record.suffix);
  text += TextLine("  メッセージ", record.message);
  DumpBitmap(record, text);
  DumpCode(bytes, record, text);
}

}  // namespace

std::string ShowText(const std::u16string& text) {
  const ShiftJisConverter converter;
  std::string shown;
  if (!HasControl(text) && converter.ToShiftJis(text, shown)) {
    return shown;
  }
  shown.clear();
  for (size_t i = 0; i < text.size();) {
    shown += ShowCharacter(text, i, converter);
  }
  return shown;
}

void DumpCompiledFile(const FileBytes& bytes, std::string& text) {
  CompiledFile file;
  ReadHeader(bytes, file);
  DumpHeader(file, text);
  ReadTexts(bytes, file);
  DumpTexts(file, text);
  for (int kind = 0; kind < kKindCount; ++kind) {
    ReadKind(bytes, file, kind);
    DumpKind(bytes, file, kind, text);
  }
}

}  // namespace zetdump
