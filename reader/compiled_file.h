// What a compiled message file holds, as its reader sees it, and the reading
// itself in stages (header, texts, one kind at a time), so that a dump can
// show everything before the first fault. Each stage checks everything a
// reader of the file relies on and throws FileFault at the first violation.
//
// Layout: a 220-byte header, then blocks without padding:
//   0 "ZTRV" | 4 version 11 | 8 file size | 12 comment | 16 user name |
//   20 ten caption offsets | 60 five 32-byte kind records:
//   +0 bitmap info | +4 bitmap bits | +8 frame height | +12 frame time |
//   +16 code | +20 code length | +24 suffix | +28 message
// A string offset of 0 means absent; strings are UTF-16LE with a 0 unit.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "reader/bitmap_blocks.h"
#include "reader/block_offset.h"
#include "reader/file_bytes.h"
#include "reader/frame_code.h"

namespace zet {

constexpr uint32_t kFormatVersion = 11;
constexpr uint32_t kCommentField = 12;
constexpr uint32_t kUserNameField = 16;
constexpr uint32_t kCaptionFields = 20;
constexpr uint32_t kKindRecords = 60;
constexpr uint32_t kKindRecordSize = 32;
constexpr int kKindCount = 5;
constexpr int kCaptionCount = 10;
// The largest code block the compiler can write.
constexpr uint32_t kLargestCode = 16384;

// Section names of the kinds, in record order; keys of the captions, in
// header order.
extern const char* const kKindNames[kKindCount];
extern const char* const kCaptionKeys[kCaptionCount];

// Offsets of the fields of kind record `kind`.
struct KindFields {
  uint32_t bitmapInfo, bitmapBits, frameHeight, frameTime, code, codeLength, suffix, message;
};
KindFields KindFieldsOf(int kind);
// What the header holds at `offset` (a multiple of 4 below 220), for messages.
std::string HeaderFieldName(uint32_t offset);

struct TextField {
  std::string name;     // what the text is, for messages
  uint32_t offset = 0;  // 0: absent
  std::u16string text;  // without its terminating 0
};

struct KindRecord {
  int32_t frameHeight = 0;
  int32_t frameTime = 0;
  TextField suffix, message;
  BitmapBlocks bitmap;
  int sharesWith = -1;  // earlier kind whose two bitmap offsets these are, or -1
  uint32_t frameCount = 0;
  uint32_t codeOffset = 0;
  uint32_t codeLength = 0;
  std::vector<Instruction> code;
};

struct CompiledFile {
  uint32_t version = 0;
  uint32_t size = 0;
  TextField comment, userName;
  TextField captions[kCaptionCount];
  KindRecord kinds[kKindCount];
};

void ReadHeader(const FileBytes& bytes, CompiledFile& file);
void ReadTexts(const FileBytes& bytes, CompiledFile& file);
// Needs the earlier kinds read, for bitmap sharing.
void ReadKind(const FileBytes& bytes, CompiledFile& file, int kind);

// All stages.
CompiledFile ReadCompiledFile(const FileBytes& bytes);

}  // namespace zet
