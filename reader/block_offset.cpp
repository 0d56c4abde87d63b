#include "reader/block_offset.h"

#include "reader/file_format.h"
#include "reader/format.h"

namespace zetreader {

uint32_t ReadBlockOffset(const FileBytes& bytes, uint32_t field, const char* what) {
  const uint32_t offset = bytes.U32(field);
  if (offset < kHeaderSize) {
    throw FileFault{field, Format("%sの位置 %u がヘッダーの中を指しています。", what, offset)};
  }
  if (offset > bytes.Size()) {
    throw FileFault{field, Format("%sの位置 %u がファイルの外 (長さ %u) を指しています。", what,
                                  offset, bytes.Size())};
  }
  return offset;
}

std::u16string ReadStringAt(const FileBytes& bytes, uint32_t field, uint32_t& offset,
                            const char* what) {
  offset = bytes.U32(field);
  if (offset == 0) {
    return std::u16string();
  }
  offset = ReadBlockOffset(bytes, field, what);
  std::u16string text;
  for (uint32_t at = offset;; at += 2) {
    if (!bytes.Holds(at, 2)) {
      throw FileFault{offset, Format("%sの文字列が終端の 0 より前にファイルの終わりに達して"
                                     "います。",
                                     what)};
    }
    const char16_t unit = bytes.U16(at);
    if (unit == 0) {
      return text;
    }
    text += unit;
  }
}

}  // namespace zetreader
