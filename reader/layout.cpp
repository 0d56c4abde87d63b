#include "reader/layout.h"
#include "platform/little_endian.h"

#include <algorithm>
#include <iterator>

namespace zetreader {
namespace {

class FileWriter {
 public:
  FileWriter() : bytes_(kHeaderSize, 0) {}

  uint32_t Append(const std::vector<uint8_t>& block) {
    const uint32_t at = Size();
    bytes_.insert(bytes_.end(), block.begin(), block.end());
    return at;
  }

  // 0 for an empty text, which is never written.
  uint32_t AppendText(const std::u16string& text) {
    if (text.empty()) {
      return 0;
    }
    std::vector<uint8_t> block;
    for (char16_t unit : text) {
      zet::AppendLe16(block, unit);
    }
    block.insert(block.end(), {0, 0});
    return Append(block);
  }

  void Put(uint32_t field, uint32_t value) { zet::PutLe32(bytes_.data() + field, value); }

  uint32_t Size() const { return static_cast<uint32_t>(bytes_.size()); }
  std::vector<uint8_t>& Bytes() { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

void WriteKind(FileWriter& out, const FileContent& content, int kind) {
  const KindContent& mine = content.kinds[kind];
  const KindFields fields = KindFieldsOf(kind);
  out.Put(fields.frameHeight, static_cast<uint32_t>(mine.frameHeight));
  out.Put(fields.frameTime, static_cast<uint32_t>(mine.frameTime));
  out.Put(fields.suffix, out.AppendText(mine.suffix));
  out.Put(fields.message, out.AppendText(mine.message));
  out.Put(fields.codeLength, static_cast<uint32_t>(mine.code.size()));
  out.Put(fields.code, out.Append(mine.code));
  for (int i = 0; i < kind; ++i) {
    if (content.kinds[i].bitmap == mine.bitmap) {
      const KindFields earlier = KindFieldsOf(i);
      std::vector<uint8_t>& bytes = out.Bytes();
      for (uint32_t b = 0; b < 8; ++b) {
        bytes[fields.bitmapInfo + b] = bytes[earlier.bitmapInfo + b];
      }
      return;
    }
  }
  const BitmapContent& bitmap = content.bitmaps.at(static_cast<size_t>(mine.bitmap));
  out.Put(fields.bitmapInfo, out.Append(bitmap.info));
  out.Put(fields.bitmapBits, out.Append(bitmap.pixels));
}

}  // namespace

std::vector<uint8_t> LayOutCompiledFile(const FileContent& content) {
  FileWriter out;
  std::copy(std::begin(kMagic), std::end(kMagic), out.Bytes().begin());
  out.Put(kVersionField, kFormatVersion);
  out.Put(kCommentField, out.AppendText(content.comment));
  out.Put(kUserNameField, out.AppendText(content.userName));
  for (int i = 0; i < kCaptionCount; ++i) {
    out.Put(kCaptionFields + 4 * static_cast<uint32_t>(i), out.AppendText(content.captions[i]));
  }
  for (int kind = 0; kind < kKindCount; ++kind) {
    WriteKind(out, content, kind);
  }
  out.Put(kSizeField, out.Size());
  return std::move(out.Bytes());
}

FileContent ContentOf(const FileBytes& bytes, const CompiledFile& file) {
  FileContent content;
  content.comment = file.comment.text;
  content.userName = file.userName.text;
  for (int i = 0; i < kCaptionCount; ++i) {
    content.captions[i] = file.captions[i].text;
  }
  for (int kind = 0; kind < kKindCount; ++kind) {
    const KindRecord& record = file.kinds[kind];
    KindContent& mine = content.kinds[kind];
    mine.frameHeight = record.frameHeight;
    mine.frameTime = record.frameTime;
    mine.suffix = record.suffix.text;
    mine.message = record.message.text;
    mine.code = bytes.Copy(record.codeOffset, record.codeLength);
    if (record.sharesWith >= 0) {
      mine.bitmap = content.kinds[record.sharesWith].bitmap;
      continue;
    }
    mine.bitmap = static_cast<int>(content.bitmaps.size());
    content.bitmaps.push_back(
        BitmapContent{bytes.Copy(record.bitmap.infoOffset, record.bitmap.infoLength),
                      bytes.Copy(record.bitmap.bitsOffset, record.bitmap.pixelLength)});
  }
  return content;
}

}  // namespace zetreader
