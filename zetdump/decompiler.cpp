#include "zetdump/decompiler.h"

#include <algorithm>

#include "reader/compiled_file.h"
#include "reader/format.h"
#include "reader/layout.h"
#include "reader/text_code.h"
#include "zetdump/dumper.h"
#include "zetdump/source_text.h"

namespace zetdump {

using zetreader::BitmapBlocks;
using zetreader::CompiledFile;
using zetreader::ContentOf;
using zetreader::FileBytes;
using zetreader::Format;
using zetreader::HeaderFieldName;
using zetreader::kCaptionCount;
using zetreader::kCaptionKeys;
using zetreader::kCommentField;
using zetreader::kHeaderSize;
using zetreader::KindFields;
using zetreader::KindFieldsOf;
using zetreader::KindRecord;
using zetreader::kKindCount;
using zetreader::kKindNames;
using zetreader::kSizeField;
using zetreader::LayOutCompiledFile;
using zetreader::ReadCompiledFile;
using zetreader::TextField;
using zetreader::ToShiftJis;

namespace {

// The compiler's label table holds 256 names.
constexpr size_t kMostLabels = 256;

bool IsStemCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' ||
         c == '-' || c == '.';
}

std::string LowerCase(const char* name) {
  std::string lower(name);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
  }
  return lower;
}

void PutU32(std::vector<uint8_t>& out, uint32_t at, uint32_t value) {
  for (uint32_t i = 0; i < 4; ++i) {
    out[at + i] = static_cast<uint8_t>(value >> (8 * i));
  }
}

// A BMP file made of a kind's two blocks: a 14-byte file header, the info
// block and the pixel block.
std::vector<uint8_t> BmpFromBlocks(const FileBytes& bytes, const BitmapBlocks& bitmap) {
  constexpr uint32_t kFileHeaderSize = 14;
  const uint32_t bitsAt = kFileHeaderSize + bitmap.infoLength;
  std::vector<uint8_t> file(kFileHeaderSize);
  file[0] = 'B';
  file[1] = 'M';
  PutU32(file, 2, bitsAt + bitmap.pixelLength);
  PutU32(file, 10, bitsAt);
  const std::vector<uint8_t> info = bytes.Copy(bitmap.infoOffset, bitmap.infoLength);
  const std::vector<uint8_t> pixels = bytes.Copy(bitmap.bitsOffset, bitmap.pixelLength);
  file.insert(file.end(), info.begin(), info.end());
  file.insert(file.end(), pixels.begin(), pixels.end());
  return file;
}

// The Shift-JIS value of a text, when some source line gives exactly it.
std::string SourceValue(const TextField& text) {
  if (text.offset != 0 && text.text.empty()) {
    throw NoSourceFault{{text.offset, Format("%sは空の文字列ですが、コンパイラーは空の文字列を"
                                             "書きません。",
                                             text.name.c_str())}};
  }
  std::string value;
  if (!ToShiftJis(text.text, value)) {
    throw NoSourceFault{{text.offset, Format("%sに Shift-JIS で書けない文字があります: \"%s\"",
                                             text.name.c_str(), ShowText(text.text).c_str())}};
  }
  if (!FitsSourceLine(value)) {
    throw NoSourceFault{{text.offset, Format("%sは改行を含むか 32766 バイトより長く、ソースの 1 "
                                             "行に書けません。",
                                             text.name.c_str())}};
  }
  return value;
}

void CheckProducible(const CompiledFile& file, int kind) {
  const KindRecord& record = file.kinds[kind];
  const KindFields fields = KindFieldsOf(kind);
  if (record.bitmap.planes != 1) {
    throw NoSourceFault{{record.bitmap.infoOffset + 12,
                         Format("%s のビットマップの biPlanes が %u で、コンパイラーは 1 以外を"
                                "受け付けません。",
                                kKindNames[kind], record.bitmap.planes)}};
  }
  if (JumpTargets(record.code).size() > kMostLabels) {
    throw NoSourceFault{{fields.code, Format("%s のコードの飛び先が 256 か所を超え、ラベルが"
                                             "足りません。",
                                             kKindNames[kind])}};
  }
}

// A file whose blocks are not where the compiler puts them came from no
// source; the first header field that differs says which block.
void CheckLayout(const FileBytes& bytes, const CompiledFile& file) {
  const FileBytes expected(LayOutCompiledFile(ContentOf(bytes, file)));
  // The size last: a misplaced block changes it too, and says less.
  for (uint32_t at = kCommentField; at <= kHeaderSize; at += 4) {
    const uint32_t field = at == kHeaderSize ? kSizeField : at;
    if (bytes.U32(field) != expected.U32(field)) {
      throw NoSourceFault{
          {field, Format("%sは %u ですが、コンパイラーはこの内容のファイルに %u を"
                         "書きます。",
                         HeaderFieldName(field).c_str(), bytes.U32(field), expected.U32(field))}};
    }
  }
  if (expected.All() != bytes.All()) {
    throw NoSourceFault{{kHeaderSize, "ブロックの並びがコンパイラーの書く並びと違います。"}};
  }
}

void AddText(std::string& source, const char* key, const TextField& text) {
  const std::string value = SourceValue(text);
  if (!value.empty()) {
    source += SourceLine(key, value);
  }
}

void AddKind(std::string& source, const CompiledFile& file, int kind,
             const std::vector<std::string>& bitmapNames) {
  const KindRecord& record = file.kinds[kind];
  source += Format("\r\n[%s]\r\n", kKindNames[kind]);
  const int bitmapKind = record.sharesWith >= 0 ? record.sharesWith : kind;
  source += SourceLine("BITMAP", bitmapNames[bitmapKind]);
  source += SourceLine("FRAMEHEIGHT", Format("%d", record.frameHeight));
  source += SourceLine("FRAMETIME", Format("%d", record.frameTime));
  AddText(source, "SUFFIX", record.suffix);
  AddText(source, "MESSAGE", record.message);
  const std::vector<std::string> lines = FramesValues(record.code, record.codeLength);
  for (size_t i = 0; i < lines.size(); ++i) {
    source += SourceLine(Format("FRAMES%u", static_cast<unsigned>(i + 1)).c_str(), lines[i]);
  }
}

std::string SourceText(const CompiledFile& file, const std::string& stem,
                       const std::vector<std::string>& bitmapNames) {
  std::string source = "; zetdump で復元したソース\r\n[basis]\r\nversion=11\r\n";
  source += SourceLine("output", stem + ".ztr");
  AddText(source, "comment", file.comment);
  AddText(source, "username", file.userName);
  source += "\r\n[BUTTONS]\r\n";
  for (int i = 0; i < kCaptionCount; ++i) {
    AddText(source, kCaptionKeys[i], file.captions[i]);
  }
  for (int kind = 0; kind < kKindCount; ++kind) {
    AddKind(source, file, kind, bitmapNames);
  }
  return source;
}

}  // namespace

std::string SourceStem(const std::string& path) {
  const size_t slash = path.find_last_of("/\\");
  std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  name.resize(std::min(name.size(), name.rfind('.')));
  const bool plain = !name.empty() && name[0] != '.' && name[0] != '-' &&
                     std::all_of(name.begin(), name.end(), IsStemCharacter);
  return plain ? name : "decompiled";
}

DecompiledFiles Decompile(const FileBytes& bytes, const std::string& stem) {
  const CompiledFile file = ReadCompiledFile(bytes);
  DecompiledFiles out;
  std::vector<std::string> bitmapNames(kKindCount);
  for (int kind = 0; kind < kKindCount; ++kind) {
    CheckProducible(file, kind);
    if (file.kinds[kind].sharesWith < 0) {
      bitmapNames[kind] = LowerCase(kKindNames[kind]) + ".bmp";
      out.bitmaps.emplace_back(bitmapNames[kind], BmpFromBlocks(bytes, file.kinds[kind].bitmap));
    }
  }
  out.source = SourceText(file, stem, bitmapNames);
  CheckLayout(bytes, file);
  out.sourceName = stem + ".zts";
  return out;
}

}  // namespace zetdump
