#include "runtime/messages.h"

#include <cstring>

#include "reader/format.h"

namespace zetrt {

using zetreader::BitmapBlocks;
using zetreader::ByteSpan;
using zetreader::FileFault;

namespace {

constexpr uint32_t kRgb = 0, kBitFields = 3, kAlphaBitFields = 6;
constexpr uint32_t kHeaderSize = 40;

[[noreturn]] void Refuse(const BitmapBlocks& bitmap, const char* owner, const char* what) {
  throw FileFault{bitmap.infoOffset, zetreader::Format("%s のビットマップ: %s", owner, what)};
}

void CheckDrawable(const BitmapBlocks& bitmap, const char* owner) {
  const uint16_t depth = bitmap.bitCount;
  if (depth != 1 && depth != 4 && depth != 8 && depth != 16 && depth != 24 && depth != 32) {
    Refuse(bitmap, owner, "このピクセルの深さは表示できません。");
  }
  const bool fields = bitmap.compression == kBitFields || bitmap.compression == kAlphaBitFields;
  if (bitmap.compression != kRgb && !(fields && (depth == 16 || depth == 32))) {
    Refuse(bitmap, owner, "圧縮されたピクセルは表示できません。");
  }
  if (bitmap.width < 1 || int64_t{bitmap.width} * bitmap.rows > kLargestStrip) {
    Refuse(bitmap, owner, "表示できない大きさです。");
  }
}

void Append(std::vector<uint8_t>& to, const uint8_t* bytes, size_t size) {
  to.insert(to.end(), bytes, bytes + size);
}

// The masks of a bit-field header: inside a header of 52 bytes or more,
// else after it (as the compiled file keeps them), else in the first
// entries of the colour table.
const uint8_t* MasksOf(const zetreader::FileBytes& bytes, const BitmapBlocks& bitmap,
                       const char* owner) {
  const ByteSpan header = zetreader::InfoHeader(bytes, bitmap);
  const ByteSpan masks = zetreader::Masks(bytes, bitmap);
  const ByteSpan table = zetreader::ColourTable(bytes, bitmap);
  if (bitmap.headerSize >= 52) {
    return header.data + 40;
  }
  if (masks.size >= 12) {
    return masks.data;
  }
  if (table.size >= 12) {
    return table.data;
  }
  Refuse(bitmap, owner, "BI_BITFIELDS のマスクがありません。");
}

Strip StripOf(const zetreader::FileBytes& bytes, const zetreader::KindRecord& kind,
              const char* owner) {
  const BitmapBlocks& bitmap = kind.bitmap;
  CheckDrawable(bitmap, owner);
  Strip strip;
  Append(strip.info, zetreader::InfoHeader(bytes, bitmap).data, kHeaderSize);
  const uint32_t size = kHeaderSize;
  std::memcpy(strip.info.data(), &size, 4);  // what follows is laid out for 40 bytes
  const bool fields = bitmap.compression != kRgb;
  if (fields) {
    const uint32_t compression = kBitFields;  // GDI knows no alpha bit fields
    std::memcpy(strip.info.data() + 16, &compression, 4);
    Append(strip.info, MasksOf(bytes, bitmap, owner), 12);
  }
  const ByteSpan table = zetreader::ColourTable(bytes, bitmap);
  if (!fields || bitmap.maskLength > 0 || bitmap.headerSize >= 52) {
    Append(strip.info, table.data, table.size);
  }
  strip.bits = zetreader::Pixels(bytes, bitmap).data;
  strip.width = bitmap.width;
  strip.rows = static_cast<int>(bitmap.rows);
  strip.topDown = bitmap.height < 0;
  strip.frameHeight = kind.frameHeight;
  strip.frameCount = static_cast<int>(kind.frameCount);
  return strip;
}

}  // namespace

std::unique_ptr<ZetMessages> OpenMessages(std::vector<uint8_t> bytes) {
  auto messages =
      std::unique_ptr<ZetMessages>(new ZetMessages{zetreader::FileBytes(std::move(bytes)), {}, {}});
  messages->file = zetreader::ReadCompiledFile(messages->bytes);
  for (int kind = 0; kind < zetreader::kKindCount; ++kind) {
    messages->strips[kind] =
        StripOf(messages->bytes, messages->file.kinds[kind], zetreader::kKindNames[kind]);
  }
  return messages;
}

}  // namespace zetrt
