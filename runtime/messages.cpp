#include "runtime/messages.h"

#include <cstring>

#include "reader/strip_check.h"

namespace zetrt {

using zetreader::BitmapBlocks;
using zetreader::ByteSpan;

namespace {

constexpr uint32_t kRgb = 0, kBitFields = 3;
constexpr uint32_t kHeaderSize = 40;

void Append(std::vector<uint8_t>& to, const uint8_t* bytes, size_t size) {
  to.insert(to.end(), bytes, bytes + size);
}

Strip StripOf(const zetreader::FileBytes& bytes, const zetreader::KindRecord& kind,
              const char* kindName) {
  const BitmapBlocks& bitmap = kind.bitmap;
  zetreader::CheckDrawable(bytes, bitmap, kindName);
  Strip strip;
  Append(strip.info, zetreader::InfoHeader(bytes, bitmap).data, kHeaderSize);
  const uint32_t size = kHeaderSize;
  std::memcpy(strip.info.data(), &size, 4);  // what follows is laid out for 40 bytes
  const bool fields = bitmap.compression != kRgb;
  if (fields) {
    const uint32_t compression = kBitFields;  // GDI knows no alpha bit fields
    std::memcpy(strip.info.data() + 16, &compression, 4);
    const ByteSpan masks = zetreader::ColourMasks(bytes, bitmap);
    Append(strip.info, masks.data, masks.size);
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
