#include "reader/file_bytes.h"

#include <cstdio>
#include <memory>
#include <utility>

#include "platform/little_endian.h"
#include "platform/system_message.h"
#include "reader/format.h"

namespace zetreader {
namespace {

struct FileCloser {
  void operator()(FILE* file) const { std::fclose(file); }
};

}  // namespace

std::string FaultLine(const FileFault& fault) {
  return Format("オフセット %u: ", fault.offset) + fault.text;
}

FileBytes::FileBytes(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {
  if (bytes_.size() > kLargestFile) {
    throw FileFault{0, "ファイルが 4 GB を超えています。"};
  }
}

bool FileBytes::Holds(uint64_t offset, uint64_t length) const {
  return offset <= bytes_.size() && length <= bytes_.size() - offset;
}

void FileBytes::Require(uint32_t offset, uint32_t length) const {
  if (!Holds(offset, length)) {
    throw FileFault{
        offset, Format("%u バイトの読み取りがファイルの終わり (%u) を越えます。", length, Size())};
  }
}

std::string CannotOpenText(uint32_t systemError) {
  return "ファイルを開けません。" + zet::SystemMessageLine(systemError);
}

uint8_t FileBytes::U8(uint32_t offset) const {
  Require(offset, 1);
  return bytes_[offset];
}

uint16_t FileBytes::U16(uint32_t offset) const {
  Require(offset, 2);
  return zet::ReadLe16(bytes_.data() + offset);
}

uint32_t FileBytes::U32(uint32_t offset) const {
  Require(offset, 4);
  return zet::ReadLe32(bytes_.data() + offset);
}

ByteSpan FileBytes::Span(uint32_t offset, uint32_t length) const {
  Require(offset, length);
  return ByteSpan{bytes_.data() + offset, length};
}

std::vector<uint8_t> FileBytes::Copy(uint32_t offset, uint32_t length) const {
  Require(offset, length);
  return std::vector<uint8_t>(bytes_.begin() + offset, bytes_.begin() + offset + length);
}

FileBytes ReadFileBytes(const std::string& path) {
  const std::unique_ptr<FILE, FileCloser> file(OpenRegularFile(path));
  std::vector<uint8_t> bytes;
  uint8_t chunk[65536];
  while (size_t got = std::fread(chunk, 1, sizeof chunk, file.get())) {
    if (bytes.size() + got > kLargestFile) {
      throw FileError{path, "ファイルが 4 GB を超えています。"};
    }
    bytes.insert(bytes.end(), chunk, chunk + got);
  }
  if (std::ferror(file.get())) {
    throw FileError{path, "ファイルを読み取れません。"};
  }
  return FileBytes(std::move(bytes));
}

}  // namespace zetreader
