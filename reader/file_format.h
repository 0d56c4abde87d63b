// The compiled message file ("ZTRV", version 11) as the reader knows it.
// These tables are the reader's own copy, not the compiler's, so that reading
// a file checks what the compiler wrote instead of repeating its code; one
// test compares them with the compiler's.
//
// Every integer is little-endian, 32 bits unless noted; every offset counts
// from the start of the file. A 220-byte header of offsets comes first, then
// the blocks it points at, packed without padding:
//
//   0    "ZTRV"            4   version (11)        8   file size
//   12   comment           16  user name
//   20   ten button caption offsets, in kCaptionKeys order
//   60   five kind records of 32 bytes, in kKindNames order:
//          +0  bitmap info block       +4  pixel block
//          +8  frame height (signed)   +12 frame time (signed)
//          +16 code block              +20 code length (at most 16384)
//          +24 suffix                  +28 message
//   220  string, code, bitmap info and pixel blocks
//
// Strings: UTF-16LE, ended by a 0 unit; a string offset of 0 means absent.
// Bitmap info block: a BITMAPINFOHEADER (biSize at least 40), after a
//   40-byte one with biCompression BI_BITFIELDS (3) or BI_ALPHABITFIELDS (6)
//   its 3 or 4 colour masks, and then its colour table, 4 bytes an entry:
//   biClrUsed entries, or 2^biBitCount up to 8 bits.
// Pixel block: ((biBitCount * biWidth + 31) / 32) * 4 * |biHeight| bytes,
//   rows bottom-up unless biHeight is negative. Kinds with one bitmap point
//   at the same two blocks. The strip holds |biHeight| / frame height frames.
// Code block: instructions packed without gaps, an opcode byte followed by
//   its 16-bit operands; jumps name code offsets within the kind's block:
//   +----+-----+-----+-----+
//   | op | u16 | u16 | u16 |   (as many operands as the opcode takes)
//   +----+-----+-----+-----+
#pragma once

#include <cstdint>
#include <string>

namespace zetreader {

constexpr char kMagic[4] = {'Z', 'T', 'R', 'V'};
constexpr uint32_t kFormatVersion = 11;
constexpr uint32_t kHeaderSize = 220;  // no block lies in the header

// Header fields.
constexpr uint32_t kVersionField = 4;
constexpr uint32_t kSizeField = 8;
constexpr uint32_t kCommentField = 12;
constexpr uint32_t kUserNameField = 16;
constexpr uint32_t kCaptionFields = 20;
constexpr uint32_t kKindRecords = 60;
constexpr uint32_t kKindRecordSize = 32;
constexpr int kCaptionCount = 10;
constexpr int kKindCount = 5;

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

// The largest code block the compiler can write.
constexpr uint32_t kLargestCode = 16384;
// The smallest bitmap info header.
constexpr uint32_t kInfoHeaderSize = 40;

enum class FrameOp : uint8_t {
  Frame = 0,   // frame N                                 3 bytes
  Repeat = 1,  // frame F, count N (1..65535)             5 bytes
  For = 2,     // frame A, frame B (either order)         5 bytes
  Goto = 3,    // code offset of L                        3 bytes
  Prob = 4,    // P, Q (1 <= P <= Q <= 255), offset of L  7 bytes
};
constexpr int kOpcodeCount = 5;
constexpr uint16_t kLargestChance = 255;

// What an operand is: a frame number below the frame count, a repeat count
// above 0, P or Q of a chance P/Q, or the code offset of a jump.
enum class Operand : uint8_t { None, Frame, Count, Chance, Jump };

// One opcode: its statement in the frames language, with %0, %1, %2 where
// its operands stand; its size; its operands' kinds. The checker, the jump
// target, the statement printer and the tests' assembler all read this.
struct Opcode {
  const char* statement;
  uint32_t size;  // bytes, the opcode byte included
  int operandCount;
  Operand operands[3];  // None past operandCount
};

// Indexed by FrameOp.
constexpr Opcode kOpcodes[kOpcodeCount] = {
    {"%0;", 3, 1, {Operand::Frame}},
    {"repeat %0 for %1;", 5, 2, {Operand::Frame, Operand::Count}},
    {"for %0 to %1;", 5, 2, {Operand::Frame, Operand::Frame}},
    {"goto %0;", 3, 1, {Operand::Jump}},
    {"prob %0 of %1 goto %2;", 7, 3, {Operand::Chance, Operand::Chance, Operand::Jump}},
};

constexpr const Opcode& OpcodeOf(FrameOp op) {
  return kOpcodes[static_cast<uint8_t>(op)];
}
constexpr int OperandCount(FrameOp op) {
  return OpcodeOf(op).operandCount;
}
constexpr uint32_t InstructionSize(FrameOp op) {
  return OpcodeOf(op).size;
}
// Which operand is the jump; -1 for an opcode that does not jump.
constexpr int JumpOperand(FrameOp op) {
  for (int i = 0; i < OperandCount(op); ++i) {
    if (OpcodeOf(op).operands[i] == Operand::Jump) {
      return i;
    }
  }
  return -1;
}
// Where operand `index` stands, in bytes from the start of its instruction.
constexpr uint32_t OperandOffset(int index) {
  return 1 + 2 * static_cast<uint32_t>(index);
}

constexpr bool OpcodeSizesAreTheirOperands() {
  for (const Opcode& opcode : kOpcodes) {
    if (opcode.size != OperandOffset(opcode.operandCount)) {
      return false;
    }
  }
  return true;
}
static_assert(OpcodeSizesAreTheirOperands(), "each size is the opcode byte and its operands");

}  // namespace zetreader
