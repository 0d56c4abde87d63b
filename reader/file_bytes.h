// The whole of one compiled file in memory, read only through bounds-checked
// accessors: a hostile file can make a field point anywhere, and every such
// read must end in a FileFault, never in a read past the end.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace zetreader {

// The first thing wrong with a file: where (a byte offset in the file) and
// what, as a Shift-JIS sentence.
struct FileFault {
  uint32_t offset;
  std::string text;
};

// "オフセット <offset>: <text>".
std::string FaultLine(const FileFault& fault);

// A failure to read or write a file: the path as given (the console's
// encoding) and the Shift-JIS text of what went wrong, kept apart so each is
// shown as it is.
struct FileError {
  std::string path;
  std::string text;
};

// "ファイルを開けません。" and the system's text for `systemError`, so that a
// missing file, a folder without access and a full table of open files say
// which it is.
std::string CannotOpenText(uint32_t systemError);

// Compiled files carry 32-bit offsets, so no well-formed file is larger.
constexpr uint64_t kLargestFile = 0xFFFFFFFFu;

// Bytes inside a FileBytes, valid while it lives.
struct ByteSpan {
  const uint8_t* data;
  uint32_t size;
};

// The file opened for reading if it is a file (not a folder, FIFO or
// device, which could hang the reader or never end); throws FileError.
FILE* OpenRegularFile(const std::string& path);

class FileBytes {
 public:
  // Throws FileFault for more than kLargestFile bytes.
  explicit FileBytes(std::vector<uint8_t> bytes);

  uint32_t Size() const { return static_cast<uint32_t>(bytes_.size()); }
  // Whether [offset, offset + length) lies inside the file.
  bool Holds(uint64_t offset, uint64_t length) const;

  // Little-endian reads; each throws FileFault when it would leave the file.
  uint8_t U8(uint32_t offset) const;
  uint16_t U16(uint32_t offset) const;
  uint32_t U32(uint32_t offset) const;
  int32_t I32(uint32_t offset) const { return static_cast<int32_t>(U32(offset)); }
  ByteSpan Span(uint32_t offset, uint32_t length) const;
  std::vector<uint8_t> Copy(uint32_t offset, uint32_t length) const;
  const std::vector<uint8_t>& All() const { return bytes_; }

 private:
  void Require(uint32_t offset, uint32_t length) const;

  std::vector<uint8_t> bytes_;
};

// The whole file at `path` (a narrow path, as the C runtime takes it);
// throws FileError, also for files of more than kLargestFile bytes.
FileBytes ReadFileBytes(const std::string& path);

}  // namespace zetreader
