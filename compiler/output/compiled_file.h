// The compiled message file: a 220-byte header of offsets, then the blocks it
// points at, packed without padding in the order they are written.
//
//   0    "ZTRV", version 11, file size
//   12   comment, user name: string offsets (0: absent)
//   20   ten button caption offsets, in kButtonKeys order
//   60   five KindRecords of 32 bytes, in MessageKind order
//   220  string blocks (UTF-16LE with a zero unit), code blocks, bitmap
//        info blocks (info header, bit-field masks after a 40-byte header,
//        colour table) and pixel blocks
//
// Every integer is 32-bit little-endian; every offset counts from the start
// of the file.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "compiler/output/output_file.h"
#include "compiler/source/message_kind.h"

namespace zet {

constexpr uint32_t kCompiledFileVersion = 11;
constexpr uint32_t kHeaderSize = 220;
constexpr int kButtonCount = 10;

// Where each header field stands, in bytes from the start of the file.
constexpr uint32_t kMagicOffset = 0;
constexpr uint32_t kVersionOffset = 4;
constexpr uint32_t kFileSizeOffset = 8;
constexpr uint32_t kCommentOffset = 12;
constexpr uint32_t kUserNameOffset = 16;
constexpr uint32_t kButtonsOffset = 20;  // kButtonCount fields of 4 bytes
constexpr uint32_t kKindRecordsOffset = 60;
constexpr uint32_t kKindRecordLength = 32;

// Where each field of a kind record stands, in bytes from the record's start.
enum class KindField : uint32_t {
  BitmapInfo = 0,
  BitmapBits = 4,
  FrameHeight = 8,
  FrameTime = 12,
  Code = 16,
  CodeLength = 20,
  Suffix = 24,
  Message = 28,
};

constexpr uint32_t ButtonOffset(int button) {
  return kButtonsOffset + 4 * static_cast<uint32_t>(button);
}
constexpr uint32_t KindRecordOffset(int kind) {
  return kKindRecordsOffset + kKindRecordLength * static_cast<uint32_t>(kind);
}
constexpr uint32_t KindFieldOffset(int kind, KindField field) {
  return KindRecordOffset(kind) + static_cast<uint32_t>(field);
}

// Keys of section BUTTONS, in the order of their offsets in the header.
extern const char* const kButtonKeys[kButtonCount];

using KindSettingsArray = std::array<MessageKindSettings, kMessageKindCount>;

struct KindRecord {
  uint32_t bitmapInfo = 0;
  uint32_t bitmapBits = 0;
  int32_t frameHeight = 0;  // after compilation: never 0
  int32_t frameTime = 0;
  uint32_t code = 0;  // a real offset even for an empty block
  uint32_t codeLength = 0;
  uint32_t suffix = 0;
  uint32_t message = 0;
};

struct CompiledFileHeader {
  char magic[4] = {'Z', 'T', 'R', 'V'};
  uint32_t version = kCompiledFileVersion;
  uint32_t fileSize = 0;
  uint32_t comment = 0;
  uint32_t userName = 0;
  uint32_t buttons[kButtonCount] = {};
  KindRecord kinds[kMessageKindCount] = {};

  // The header as stored in the file.
  std::array<uint8_t, kHeaderSize> ToBytes() const;
};

// The structs hold the fields in file order and without padding; ToBytes
// writes them at the named offsets.
static_assert(offsetof(KindRecord, bitmapInfo) == static_cast<uint32_t>(KindField::BitmapInfo));
static_assert(offsetof(KindRecord, bitmapBits) == static_cast<uint32_t>(KindField::BitmapBits));
static_assert(offsetof(KindRecord, frameHeight) == static_cast<uint32_t>(KindField::FrameHeight));
static_assert(offsetof(KindRecord, frameTime) == static_cast<uint32_t>(KindField::FrameTime));
static_assert(offsetof(KindRecord, code) == static_cast<uint32_t>(KindField::Code));
static_assert(offsetof(KindRecord, codeLength) == static_cast<uint32_t>(KindField::CodeLength));
static_assert(offsetof(KindRecord, suffix) == static_cast<uint32_t>(KindField::Suffix));
static_assert(offsetof(KindRecord, message) == static_cast<uint32_t>(KindField::Message));
static_assert(sizeof(KindRecord) == kKindRecordLength);
static_assert(offsetof(CompiledFileHeader, magic) == kMagicOffset);
static_assert(offsetof(CompiledFileHeader, version) == kVersionOffset);
static_assert(offsetof(CompiledFileHeader, fileSize) == kFileSizeOffset);
static_assert(offsetof(CompiledFileHeader, comment) == kCommentOffset);
static_assert(offsetof(CompiledFileHeader, userName) == kUserNameOffset);
static_assert(offsetof(CompiledFileHeader, buttons) == kButtonsOffset);
static_assert(offsetof(CompiledFileHeader, kinds) == kKindRecordsOffset);
static_assert(sizeof(CompiledFileHeader) == kHeaderSize);
static_assert(ButtonOffset(kButtonCount) == kKindRecordsOffset, "the records follow the captions");
static_assert(KindRecordOffset(kMessageKindCount) == kHeaderSize, "the records end the header");

// Writes the text as a string block and returns its offset; writes nothing
// and returns 0 for an empty text.
uint32_t WriteWideString(OutputFile& file, const std::string& text);

// Writes the strings, code and (unless an earlier kind has the same bitmap
// path) the bitmap blocks of kind `index`, and fills its record. Called for
// the kinds in order.
void WriteKindRecord(OutputFile& file, CompiledFileHeader& header, const KindSettingsArray& kinds,
                     int index);

}  // namespace zet
