// The compiled message file: a 220-byte header of offsets, then the blocks it
// points at, packed without padding in the order they are written.
//
//   0    "ZTRV", version 11, file size
//   12   comment, user name: string offsets (0: absent)
//   20   ten button caption offsets, in kButtonKeys order
//   60   five KindRecords of 32 bytes, in MessageKind order
//   220  string blocks (UTF-16LE with a zero unit), code blocks, bitmap
//        info blocks (info header and colour table) and pixel blocks
//
// Every integer is 32-bit little-endian; every offset counts from the start
// of the file.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "compiler/output/output_file.h"
#include "compiler/source/message_kind.h"

namespace zet {

constexpr uint32_t kCompiledFileVersion = 11;
constexpr uint32_t kHeaderSize = 220;
constexpr int kButtonCount = 10;
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

// Writes the text as a string block and returns its offset; writes nothing
// and returns 0 for an empty text.
uint32_t WriteWideString(OutputFile& file, const std::string& text);

// Writes the strings, code and (unless an earlier kind has the same bitmap
// path) the bitmap blocks of kind `index`, and fills its record. Called for
// the kinds in order.
void WriteKindRecord(OutputFile& file, CompiledFileHeader& header, const KindSettingsArray& kinds,
                     int index);

}  // namespace zet
