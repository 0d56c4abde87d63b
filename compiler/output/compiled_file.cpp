#include "compiler/output/compiled_file.h"

#include <vector>

#include "compiler/output/mapped_bitmap.h"
#include "compiler/output/wide_text.h"
#include "platform/little_endian.h"

namespace zet {

const char* const kButtonKeys[kButtonCount] = {"OK",  "CANCEL", "ABORT", "RETRY",    "IGNORE",
                                               "YES", "NO",     "CLOSE", "CONTINUE", "HELP"};

namespace {

class HeaderBytes {
 public:
  void Put(uint32_t at, uint32_t value) { PutLe32(bytes_.data() + at, value); }
  void Put(uint32_t at, int32_t value) { Put(at, static_cast<uint32_t>(value)); }
  void PutMagic(const char (&magic)[4]) {
    uint32_t at = kMagicOffset;
    for (char c : magic) {
      bytes_[at++] = static_cast<uint8_t>(c);
    }
  }
  const std::array<uint8_t, kHeaderSize>& Bytes() const { return bytes_; }

 private:
  std::array<uint8_t, kHeaderSize> bytes_{};
};

// Kinds with byte-equal bitmap paths share the blocks of the first of them.
const KindRecord* EarlierBitmap(const CompiledFileHeader& header, const KindSettingsArray& kinds,
                                int index) {
  for (int i = 0; i < index; ++i) {
    if (kinds[i].bitmapPath == kinds[index].bitmapPath) {
      return &header.kinds[i];
    }
  }
  return nullptr;
}

}  // namespace

std::array<uint8_t, kHeaderSize> CompiledFileHeader::ToBytes() const {
  HeaderBytes out;
  out.PutMagic(magic);
  out.Put(kVersionOffset, version);
  out.Put(kFileSizeOffset, fileSize);
  out.Put(kCommentOffset, comment);
  out.Put(kUserNameOffset, userName);
  for (int i = 0; i < kButtonCount; ++i) {
    out.Put(ButtonOffset(i), buttons[i]);
  }
  for (int k = 0; k < kMessageKindCount; ++k) {
    const KindRecord& kind = kinds[k];
    out.Put(KindFieldOffset(k, KindField::BitmapInfo), kind.bitmapInfo);
    out.Put(KindFieldOffset(k, KindField::BitmapBits), kind.bitmapBits);
    out.Put(KindFieldOffset(k, KindField::FrameHeight), kind.frameHeight);
    out.Put(KindFieldOffset(k, KindField::FrameTime), kind.frameTime);
    out.Put(KindFieldOffset(k, KindField::Code), kind.code);
    out.Put(KindFieldOffset(k, KindField::CodeLength), kind.codeLength);
    out.Put(KindFieldOffset(k, KindField::Suffix), kind.suffix);
    out.Put(KindFieldOffset(k, KindField::Message), kind.message);
  }
  return out.Bytes();
}

uint32_t WriteWideString(OutputFile& file, const std::string& text) {
  if (text.empty()) {
    return 0;
  }
  const std::u16string wide = ToWideText(text);
  std::vector<uint8_t> block;
  block.reserve(2 * (wide.size() + 1));
  for (char16_t unit : wide) {
    AppendLe16(block, unit);
  }
  block.push_back(0);
  block.push_back(0);
  return file.Write(block.data(), static_cast<uint32_t>(block.size()));
}

void WriteKindRecord(OutputFile& file, CompiledFileHeader& header, const KindSettingsArray& kinds,
                     int index) {
  const MessageKindSettings& kind = kinds[index];
  KindRecord& record = header.kinds[index];
  record.frameHeight = kind.frameHeight;
  record.frameTime = kind.frameTime;
  record.suffix = WriteWideString(file, kind.suffix);
  record.message = WriteWideString(file, kind.message);
  record.codeLength = kind.code.Length();
  record.code = file.Write(kind.code.Bytes(), kind.code.Length());
  if (const KindRecord* earlier = EarlierBitmap(header, kinds, index)) {
    record.bitmapInfo = earlier->bitmapInfo;
    record.bitmapBits = earlier->bitmapBits;
    return;
  }
  const MappedBitmap bitmap(kind.bitmapPath.c_str());
  record.bitmapInfo = file.Write(bitmap.Header(), bitmap.InfoBlockSize());
  record.bitmapBits = file.Write(bitmap.Bits(), bitmap.PixelBlockSize());
}

}  // namespace zet
